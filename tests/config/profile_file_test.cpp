#include "config/profile_file.h"

#include <gtest/gtest.h>

namespace liftvox {
namespace {

TEST(ProfileFileTest, ReadsValuesTheWayWindowsProfilesDo) {
  const ProfileFile file(
      "Before=ignored\r\n"
      "  [ Messages ]  \r\n"
      "  Done  =   Hotovo  \r\n"
      "done=second\n"
      "Double=\"  quoted  \"\r"
      "Single='x'\n"
      "Nested=\"'x'\"\n"
      "Odd=\"x'\n"
      "Lone=\"\n"
      "Equals = a = b\n"
      "; Comment=1\n"
      "NoValue\n"
      "Empty=\n"
      "Číslo=$10\n"
      "[messages]\n"
      "Later=lost\n");
  EXPECT_EQ(file.ReadString("MESSAGES", " done ", "?"), "Hotovo");
  EXPECT_EQ(file.ReadString("Messages", "Double", "?"), "  quoted  ");
  EXPECT_EQ(file.ReadString("Messages", "Single", "?"), "x");
  EXPECT_EQ(file.ReadString("Messages", "Nested", "?"), "'x'");
  EXPECT_EQ(file.ReadString("Messages", "Odd", "?"), "\"x'");
  EXPECT_EQ(file.ReadString("Messages", "Lone", "?"), "\"");
  EXPECT_EQ(file.ReadString("Messages", "Equals", "?"), "a = b");
  EXPECT_EQ(file.ReadString("Messages", "Empty", "?"), "");
  EXPECT_EQ(file.ReadString("Messages", "NoValue", "?"), "?");
  EXPECT_EQ(file.ReadString("Messages", "Later", "?"), "?");
  EXPECT_EQ(file.ReadString("Messages", "Comment", "?"), "?");
  EXPECT_EQ(file.ReadString("Before", "Before", "?"), "?");
  EXPECT_EQ(file.ReadInteger("Messages", "ČÍSLO", 0), 16);
  EXPECT_EQ(file.ReadInteger("Messages", "Done", -1), -1);
  EXPECT_TRUE(file.HasKey("messages", "novalue"));
  EXPECT_EQ(file.Keys("Messages"),
            (std::vector<std::string>{"Done", "Double", "Single", "Nested", "Odd", "Lone", "Equals",
                                      "NoValue", "Empty", "Číslo"}));
}

TEST(ProfileFileTest, CutsLongValuesAtWholeCharacters) {
  const std::string value = std::string(2046, 'a') + "čž";
  const ProfileFile file("[S]\nK=" + value + "\nHuge=\"" + std::string(10 << 20, 'x') + "\"\n");
  EXPECT_EQ(file.ReadString("S", "K", ""), std::string(2046, 'a') + "č");
  EXPECT_EQ(file.ReadString("S", "Huge", "").size(), 2047u);
}

}  // namespace
}  // namespace liftvox
