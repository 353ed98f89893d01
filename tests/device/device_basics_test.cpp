#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "device/device_settings.h"
#include "device/port_table.h"
#include "image/memory_size.h"
#include "lang/language.h"

namespace liftvox::test {
namespace {

TEST(MemorySizeTest, CodesMapToSizesPagesAndTexts) {
  TLanguage language;
  // The page size steps up between codes 4 and 5 and again at 7.
  EXPECT_EQ(PageSizeForMemory(4), 256);
  EXPECT_EQ(PageSizeForMemory(5), 512);
  EXPECT_EQ(PageSizeForMemory(7), 1024);
  for (int bad : {-1, 8, 255}) {
    EXPECT_EQ(MemorySizeFromCode(bad), 0);
    EXPECT_EQ(PageSizeForMemory(bad), 0);
    EXPECT_EQ(MemorySizeText(bad, language), "neznámá");
  }
  EXPECT_EQ(MemorySizeCodeFromText("1MB"), 4);
  EXPECT_EQ(MemorySizeCodeFromText("1 MB"), -1);
}

TEST(PortTableTest, ListsAndLabels) {
  const auto table = PortTable::Parse("/dev/ttyUSB0::/dev/ttyS1:");
  ASSERT_EQ(table.Devices().size(), 2u);
  EXPECT_EQ(table.DevicePath(2), "/dev/ttyS1");
  EXPECT_EQ(table.DevicePath(3), "");
  EXPECT_EQ(table.DevicePath(0), "");
  EXPECT_EQ(table.Label(1), "COM1 (/dev/ttyUSB0)");
  EXPECT_EQ(PortTable().Label(4), "COM4");
}

// The program settings' test stores and loads every value, the stored port
// among those listed and an unlisted one.
TEST(DeviceSettingsTest, PortNumberMemoryCodeAndNoPortToOffer) {
  DeviceSettings settings;
  settings.fixedPort = "COM7";
  EXPECT_EQ(settings.FixedPortNumber(), 7);
  settings.chosenMemory = "2MB";
  EXPECT_EQ(settings.ChosenMemoryCode(), 5);
  settings.chosenMemory = "3MB";
  EXPECT_EQ(settings.ChosenMemoryCode(), 0);

  IniSections ini;
  settings.Save(ini, "Settings");
  settings.Load(ini, "Settings", {});
  EXPECT_EQ(settings.fixedPort, "COM7");  // kept though no port is offered now
}

}  // namespace
}  // namespace liftvox::test
