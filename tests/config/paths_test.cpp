#include "config/paths.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/file_name_bytes.h"
#include "config/utf8.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

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

TEST(StoredSamplePathTest, InsideTheConfigurationsFolderRelativeToItElseToTheProgram) {
  const struct {
    const char *path, *configurationDir, *programDir, *stored;
  } cases[] = {
      {"/p/cfg/Hlasky/a.wav", "/p/cfg", "/opt/prog", R"(Hlasky\a.wav)"},
      {"/p/other/a.wav", "/p/cfg", "/p", R"(other\a.wav)"},
      {"/p/cfg/a.wav", "", "/p", R"(cfg\a.wav)"},
      {R"(C:\Proj\Zvuky\a.wav)", R"(c:\proj)", R"(D:\Prog)", R"(Zvuky\a.wav)"},
      {"/home/u/a.wav", "/p/cfg", "/usr/share/liftvox", "/home/u/a.wav"},
      {R"(C:\Data\b.wav)", R"(C:\Proj)", R"(C:\Editor)", R"(..\Data\b.wav)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StoredSamplePath(c.path, c.configurationDir, c.programDir), c.stored) << c.path;
}

TEST(StoredPathTest, DrivesSharesAndRootsAreAbsolute) {
  for (const char* stored : {R"(D:\c.wav)", "d:/c.wav", R"(\\server\share\a.wav)",
                             "//server/share/a.wav", "/abs/a.wav", R"(\root.wav)"})
    EXPECT_TRUE(IsAbsoluteStoredPath(stored)) << stored;
  for (const char* stored : {"a.wav", R"(..\Data\b.wav)", "Zvuky/a.wav", ""})
    EXPECT_FALSE(IsAbsoluteStoredPath(stored)) << stored;
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
    EXPECT_EQ(PathToUtf8(std::filesystem::path(c.bytes)), text);
#endif
  }
}

}  // namespace
}  // namespace liftvox
