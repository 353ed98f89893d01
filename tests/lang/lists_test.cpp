#include <gtest/gtest.h>

#include "lang/icon_names.h"
#include "lang/interfaces_list.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

TEST(InterfacesTest, ListsKeysInFileOrderWithTheirNumbers) {
  test::TempDir dir;
  test::WriteFile(dir / "Interfaces.ini",
                  "[Other]\r\nSkip=9\r\n[Interfaces]\r\nStandard=0\r\n S\xE9riov\xFD = 3 \r\n"
                  "Broken=abc\r\nHex=$10\r\nNoNumber\r\nstandard=7\r\n");
  const std::vector<InterfaceEntry> expected = {
      {"Standard", 0}, {"Sériový", 3}, {"Broken", 0}, {"Hex", 16}, {"NoNumber", 0}};
  EXPECT_EQ(LoadInterfaces(dir / "Interfaces.ini"), expected);
  EXPECT_TRUE(LoadInterfaces(dir / "missing.ini").empty());
}

TEST(IconNamesTest, UpperCasedBitmapsInAFixedOrder) {
  test::TempDir dir;
  for (const char* name :
       {"en.bmp", "CZ.BMP", "de.Bmp", "čeština.bmp", "notes.txt", ".bmp", "a.bmp.txt"}) {
    test::WriteFile(dir / name, "x");
  }
  std::filesystem::create_directory(dir / "folder.bmp");
  EXPECT_EQ(LoadIconNames(dir.path()),
            (std::vector<std::string>{"CZ.BMP", "DE.BMP", "EN.BMP", "ČEŠTINA.BMP"}));
  EXPECT_TRUE(LoadIconNames(dir / "missing").empty());
}

}  // namespace
}  // namespace liftvox
