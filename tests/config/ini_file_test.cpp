#include "config/ini_file.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace liftvox {
namespace {

TEST(IniIntegerTest, ReadsDecimalAndBothHexForms) {
  const std::pair<const char*, int32_t> numbers[] = {{"42", 42},
                                                     {"  -7", -7},
                                                     {"\t+5", 5},
                                                     {"007", 7},
                                                     {"$1F", 31},
                                                     {"0x1F", 31},
                                                     {"0X1f", 31},
                                                     {"-$10", -16},
                                                     {"$FFFFFFFF", -1},
                                                     {"2147483647", 2147483647},
                                                     {"-2147483648", -2147483647 - 1}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(ParseIniInteger(text), value) << text;
}

TEST(IniIntegerTest, AnythingElseIsNotANumber) {
  for (const char* text :
       {"", " ", "0x", "0X", "$", "x1", "12 ", "1e3", "--1", "+-1", "- 1", "0x-1", "$+1", "1,5",
        "2147483648", "-2147483649", "$100000000", "99999999999999999999999"}) {
    EXPECT_EQ(ParseIniInteger(text), std::nullopt) << '"' << text << '"';
  }
}

// Line ends of all three kinds, text before the first section, comments,
// repeated sections and keys, and lines that are no key=value pair.
constexpr const char* kMixedText =
    "orphan=1\r\n"
    "[Main]\r"
    "Name= Výtah jede \n"
    "name=second\r\n"
    "; comment=1\n"
    "\n"
    "Formula=a=b\r\n"
    "no equals sign\r\n"
    "=empty key\r\n"
    "[half=open\r\n"
    " [Inner]\r\n"
    "[main]\r\n"
    "Extra=lost\r\n"
    "[ Spaced ]\r\n"
    "[Čeština]\n"
    "Žluť=1\n";

TEST(IniSectionsTest, ReadsTheDialectExactly) {
  const IniSections ini(kMixedText);
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Main", " Spaced ", "Čeština"}));
  EXPECT_EQ(ini.Keys("MAIN"), (std::vector<std::string>{"Name", "Formula", "", "[half"}))
      << "a section header must end in ']'";
  EXPECT_EQ(ini.ReadString("main", "NAME", "?"), " Výtah jede ");
  EXPECT_EQ(ini.ReadString("Main", "Formula", "?"), "a=b");
  EXPECT_FALSE(ini.ValueExists("Main", "Extra")) << "a repeated section is never read";
  EXPECT_FALSE(ini.ValueExists("Main", "comment"));
  EXPECT_FALSE(ini.ValueExists("Main", "no equals sign"));
  EXPECT_EQ(ini.ReadString("Main", "", "?"), "empty key") << "a DIL entry may have no name";
  EXPECT_EQ(ini.ReadString("orphan", "orphan", "default"), "default");
  EXPECT_EQ(ini.ReadInteger("ČEŠTINA", "žLUŤ", 0), 1);
  EXPECT_EQ(ini.ReadInteger("Main", "Name", -3), -3);
  EXPECT_TRUE(ini.ReadBool("Main", "missing", true));
  EXPECT_TRUE(ini.ReadBool("Čeština", "Žluť", false));
}

TEST(IniSectionsTest, WritesInPlaceAndInCrLf) {
  IniSections ini;
  ini.WriteString("/GENERAL", "ID", "x");
  ini.WriteInteger("0", "Code", -4096);
  ini.WriteBool("/GENERAL", "ParPlayInv", true);
  ini.WriteString("/general", "id", "Elevator");  // replaces, keeps its place
  ini.WriteBool("0", "Floor", false);
  ini.WriteInteger("0", "Big", int64_t{1} << 40);
  EXPECT_EQ(ini.Text(),
            "[/GENERAL]\r\nid=Elevator\r\nParPlayInv=1\r\n\r\n"
            "[0]\r\nCode=-4096\r\nFloor=0\r\nBig=1099511627776\r\n\r\n");
}

TEST(IniSectionsTest, RewritingKeepsUnreadLinesAndRepeatsAndReadsBackTheSame) {
  IniSections ini(kMixedText);
  ini.WriteString("MAIN", "name", "new");
  const IniSections again(ini.Text());
  EXPECT_EQ(again.ReadString("Main", "Name", "?"), "new");
  EXPECT_EQ(again.Keys("Main"), ini.Keys("Main"));
  EXPECT_NE(ini.Text().find("name=second\r\n"), std::string::npos);
  EXPECT_NE(ini.Text().find("[main]\r\nExtra=lost\r\n"), std::string::npos);
  EXPECT_EQ(ini.Text().find("orphan"), std::string::npos);
}

// The shipped data's tests read Windows-1250 files through it.
TEST(TMemIniFileTest, TellsAFileItCannotRead) {
  test::TempDir dir;
  EXPECT_FALSE(TMemIniFile(dir / "missing.cfg").Loaded());
}

}  // namespace
}  // namespace liftvox
