#include "config/paths.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/file_name_bytes.h"
#include "config/utf8.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

struct RelativeCase {
  const char* path;
  const char* base;
  const char* stored;
};

TEST(StoredRelativePathTest, WindowsDrivesAndShares) {
  const RelativeCase cases[] = {
      {R"(C:\Editor\Zvuky\a.wav)", R"(C:\Editor)", R"(Zvuky\a.wav)"},
      {R"(C:\Data\b.wav)", R"(C:\Editor)", R"(..\Data\b.wav)"},
      {R"(D:\c.wav)", R"(C:\Editor)", R"(D:\c.wav)"},
      {R"(c:\EDITOR\zvuky\A.wav)", R"(C:\Editor\)", R"(zvuky\A.wav)"},
      {"C:/Editor/x.wav", R"(C:\Editor)", "x.wav"},
      {R"(C:\A\X\y.wav)", R"(C:\A\B\C)", R"(..\..\X\y.wav)"},
      {R"(C:\x.wav)", R"(C:\A\B)", R"(..\..\x.wav)"},
      {R"(C:\ZVUKY\ČEŠTINA\a.wav)", R"(C:\Zvuky\čeština)", "a.wav"},
      {R"(\\server\SHARE\Data\b.wav)", R"(\\Server\share\Editor)", R"(..\Data\b.wav)"},
      {R"(\\other\share\b.wav)", R"(\\server\share\Editor)", R"(\\other\share\b.wav)"},
      {R"(\\server\share\b.wav)", R"(C:\Editor)", R"(\\server\share\b.wav)"},
      // Shares written with '/' are the same shares, not folders under a root.
      {"//server/share/Data/b.wav", "//Server/SHARE/Editor", R"(..\Data\b.wav)"},
      {"//server/share/Data/b.wav", R"(\\server\share\Editor)", R"(..\Data\b.wav)"},
      {"//other/share/b.wav", "//server/share/Editor", "//other/share/b.wav"},
      {"//server/share/b.wav", "/server/share", "//server/share/b.wav"},
      {"/server/share/b.wav", "//server/share", "/server/share/b.wav"},
      {R"(Zvuky\a.wav)", R"(C:\Editor)", R"(Zvuky\a.wav)"},
      {R"(\Zvuky\a.wav)", R"(C:\Editor)", R"(\Zvuky\a.wav)"},
  };
  for (const auto& c : cases) EXPECT_EQ(StoredRelativePath(c.path, c.base), c.stored) << c.path;
}

TEST(StoredRelativePathTest, PosixRootIsTheOneDriveAndNamesKeepTheirCase) {
  const RelativeCase cases[] = {
      {"/opt/liftvox/Zvuky/a.wav", "/opt/liftvox", R"(Zvuky\a.wav)"},
      {"/home/user/b.wav", "/opt/liftvox/", R"(..\..\home\user\b.wav)"},
      {"/opt/Liftvox/a.wav", "/opt/liftvox", R"(..\Liftvox\a.wav)"},
      {"/c.wav", "/", "c.wav"},
      {"/opt/a.wav", R"(C:\Editor)", "/opt/a.wav"},
  };
  for (const auto& c : cases) EXPECT_EQ(StoredRelativePath(c.path, c.base), c.stored) << c.path;
}

TEST(ResolveStoredPathTest, AbsolutePathsStandAsTheyAre) {
  const auto never = [](const fs::path&) { return false; };
  for (const char* stored : {R"(D:\c.wav)", "d:/c.wav", R"(\\server\share\a.wav)",
                             "//server/share/a.wav", "/abs/a.wav", R"(\root.wav)"}) {
    EXPECT_TRUE(IsAbsoluteStoredPath(stored)) << stored;
    EXPECT_EQ(ResolveStoredPath(stored, "/doc/a.cfg", "/prog", never),
              PathToUtf8(NativePath(stored)))
        << stored;
  }
  for (const char* stored : {"a.wav", R"(..\Data\b.wav)", "Zvuky/a.wav", ""}) {
    EXPECT_FALSE(IsAbsoluteStoredPath(stored)) << stored;
  }
}

TEST(ResolveStoredPathTest, DocumentFolderFirstThenProgramFolder) {
  std::vector<fs::path> asked;
  bool answer = true;
  const auto exists = [&](const fs::path& p) {
    asked.push_back(p);
    return answer;
  };
  const fs::path program = NativePath("/prog");
  EXPECT_EQ(ResolveStoredPath(R"(Zvuky\a.wav)", R"(/doc\My.cfg)", program, exists),
            PathToUtf8(NativePath("/doc/Zvuky/a.wav")));
  answer = false;
  EXPECT_EQ(ResolveStoredPath(R"(..\b.wav)", "/doc/My.cfg", program, exists),
            PathToUtf8(program / NativePath("../b.wav")));
  EXPECT_EQ(ResolveStoredPath("c.wav", "", program, exists), PathToUtf8(program / "c.wav"));
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[2], NativePath("/c.wav")) << "without a document the root is tried first";

  test::TempDir dir;
  test::WriteFile(dir / "Zvuky" / "a.wav", "RIFF");
  const std::string document = PathToUtf8(dir / "My.cfg");
  EXPECT_EQ(ResolveStoredPath(R"(Zvuky\a.wav)", document, program),
            PathToUtf8(dir / "Zvuky" / "a.wav"));
  EXPECT_EQ(ResolveStoredPath("Zvuky", document, program), PathToUtf8(program / "Zvuky"));
}

TEST(LetterCaseTest, CoversTheCodePageLetters) {
  EXPECT_EQ(ToUpperText("příliš žluťoučký kůň úpěl ďábelské ódy"),
            "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY");
  EXPECT_EQ(ToUpperText("ąćęłńśźż ľĺŕ őű ăşţ äöüß µ"), "ĄĆĘŁŃŚŹŻ ĽĹŔ ŐŰ ĂŞŢ ÄÖÜß µ");
  EXPECT_EQ(ToUpperText("ω日\xFF"
                        "a"),
            "ω日\xFF"
            "A")
      << "other text passes unchanged";
  EXPECT_TRUE(EqualsIgnoreCase("Čeština.LNG", "čEŠTINA.lng"));
  EXPECT_FALSE(EqualsIgnoreCase("cestina", "čeština"));
  EXPECT_TRUE(LessIgnoreCase("a.bmp", "B.BMP"));
  EXPECT_FALSE(LessIgnoreCase("č", "Č"));
  EXPECT_FALSE(LessIgnoreCase("Č", "č"));
}

// Names copied from Windows in its 8-bit code page are no UTF-8; the text
// that carries them must be UTF-8 and lead back to exactly the same bytes.
TEST(FileNameBytesTest, EveryNameComesBackAndReadsAsItsCodePageSpelledIt) {
  const struct {
    std::string bytes;
    std::string readable;
    bool carries;
  } cases[] = {
      {"Zvuky/a.wav", "Zvuky/a.wav", false},
      {"Čeština.wav", "Čeština.wav", false},
      {"\xC8"
       "e\x9Atina.wav",
       "Čeština.wav", true},          // Windows-1250
      {"\xE2\x82x", "â‚x", true},     // a UTF-8 character cut short
      {"\xEE\xBE\x80", "îľ€", true},  // one of the carriers itself
  };
  for (const auto& c : cases) {
    const std::string text = FileNameText(c.bytes);
    for (std::size_t pos = 0; pos < text.size();)
      ASSERT_NE(utf8::DecodeNext(text, pos), utf8::kInvalid) << c.bytes;
    EXPECT_EQ(FileNameBytes(text), c.bytes);
    EXPECT_EQ(ReadableFileName(text), c.readable);
    EXPECT_EQ(CarriesFileNameBytes(text), c.carries) << c.bytes;
#ifndef _WIN32
    EXPECT_EQ(PathFromUtf8(text).native(), c.bytes);
    EXPECT_EQ(PathToUtf8(fs::path(c.bytes)), text);
#endif
  }
}

}  // namespace
}  // namespace liftvox
