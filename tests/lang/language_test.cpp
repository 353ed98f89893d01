#include "lang/language.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/test_support.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

TEST(TranslateTest, FallsBackToTheDefaultForAnythingMissingOrEmpty) {
  test::TempDir dir;
  TLanguage language;
  EXPECT_EQ(language.Translate("Done", "Hotovo"), "Hotovo") << "no file chosen yet";
  language.SetLanguageFile(dir / "missing.lng");
  EXPECT_EQ(language.Translate("Done", "Hotovo"), "Hotovo");

  test::WriteFile(dir / "English.lng",
                  "[General]\r\nDone=General\r\n[Messages]\r\nDone = \"Done\" \r\nEmpty=\r\n"
                  "Silence=T\xEC\x9A"
                  "b\r\n");
  language.SetLanguageFile(dir / "English.lng");
  EXPECT_EQ(language.Translate("DONE", "Hotovo"), "Done");
  EXPECT_EQ(language.Translate("Empty", "Prázdné"), "Prázdné");
  EXPECT_EQ(language.Translate("Unknown", "Neznámé %s"), "Neznámé %s");
  EXPECT_EQ(language.Translate("Silence", "Ticho"), "Těšb");
}

TEST(TranslateTest, SeesAChangedFileAtTheNextLookup) {
  test::TempDir dir;
  const fs::path file = dir / "a.lng";
  TLanguage language;
  language.SetLanguageFile(file);
  test::WriteFile(file, "[Messages]\nKey=one\n");
  ASSERT_EQ(language.Translate("Key", "-"), "one");

  // Same size, and the time stamp put back: only the recent stamp gives it away.
  const auto stamp = fs::last_write_time(file);
  test::WriteFile(file, "[Messages]\nKey=two\n");
  fs::last_write_time(file, stamp);
  EXPECT_EQ(language.Translate("Key", "-"), "two");

  test::WriteFile(file, "[Messages]\nKey=three, longer\n");
  EXPECT_EQ(language.Translate("Key", "-"), "three, longer");
  fs::remove(file);
  EXPECT_EQ(language.Translate("Key", "-"), "-");

  test::WriteFile(dir / "b.lng", "[Messages]\nKey=bee\n");
  language.SetLanguageFile(dir / "b.lng");
  EXPECT_EQ(language.Translate("Key", "-"), "bee");
}

TEST(CaptionsTest, ReadsIdSeparatorAndTextLineByLine) {
  test::TempDir dir;
  const fs::path file = dir / "English.lng";
  test::WriteFile(file,
                  "[Messages]\r\n1=not a caption\r\n"
                  "  [translations]  \r\n"
                  "404=Text\r"
                  "405 Text two\n"
                  "406\r\n"
                  "=Text\r\n"
                  "407=\r\n"
                  "  408=a=b  \r\n"
                  "x409=skipped\r\n"
                  "-410=skipped\r\n"
                  "99999999999=too big\r\n"
                  "411\xE8"
                  "Czech separator\r\n"
                  "\r\n" +
                      std::string("412=") + std::string(300, '\xF8') +  // 300 x "ř"
                      "\r\n"
                      "404=later wins\r\n"
                      "[Other]\r\n"
                      "500=after the section\r\n");
  TLanguage language;
  language.SetLanguageFile(file);
  std::string longest;
  for (int i = 0; i < 255; ++i) longest += "ř";  // a caption is cut to 255 characters
  const std::vector<std::pair<int, std::string>> expected = {
      {404, "Text"},  {405, "Text two"},  {407, ""}, {408, "a=b"}, {411, "Czech separator"},
      {412, longest}, {404, "later wins"}};
  EXPECT_EQ(language.ReadCaptions(), expected);

  test::WriteFile(file, "[Messages]\r\nDone=Done\r\n");
  EXPECT_TRUE(language.ReadCaptions().empty());
  language.SetLanguageFile(dir / "missing.lng");
  EXPECT_THROW(language.ReadCaptions(), std::runtime_error);
}

}  // namespace
}  // namespace liftvox
