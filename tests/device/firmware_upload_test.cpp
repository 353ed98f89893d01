#include <gtest/gtest.h>

#include "device/avr_target.h"
#include "device/firmware_upload.h"
#include "device/intel_hex.h"
#include "lang/language.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

using Chip = AvrTarget::Chip;

class Recorder final : public TransferObserver {
 public:
  std::vector<std::string> ports, texts;
  std::vector<Message> warnings;
  bool stop = false;
  void PortChanged(const std::string& label) override { ports.push_back(label); }
  void ProgressChanged(int, const std::string& text) override { texts.push_back(text); }
  void ErrorCountChanged(int) override {}
  void Warn(const Message& m) override { warnings.push_back(m); }
  Answer AskYesNo(const Message&) override { return Answer::No; }
  bool StopRequested() override { return stop; }
};

struct UploadRig {
  explicit UploadRig(Chip chip, bool autoPort) : target(chip, clock, 2) {
    settings.autoPort = autoPort;
    settings.fixedPort = "COM1";
  }
  FirmwareResult Upload(const std::filesystem::path& hex) {
    AnnouncerSession session(target, settings, language);
    const int port = FirmwarePortChoice(session, observer);
    return UploadFirmware(session, hex, port, observer, clock.Timing());
  }
  VirtualClock clock;
  AvrTarget target;
  DeviceSettings settings;
  TLanguage language;
  Recorder observer;
};

const std::filesystem::path kHex = TestDataDir() / "device" / "firmware.hex";

TEST(FirmwareUploadTest, UploadLeavesExactlyTheHexBytesInFlash) {
  FirmwareImage expected;
  ASSERT_EQ(LoadHexFile(kHex, expected), "");
  for (Chip chip : {Chip::At90s8515, Chip::Atmega8515}) {
    for (bool autoPort : {true, false}) {
      UploadRig rig(chip, autoPort);
      rig.target.flash.assign(8192, 0x00);  // old firmware everywhere
      const auto result = rig.Upload(kHex);
      EXPECT_EQ(result.outcome, FirmwareOutcome::Done);
      EXPECT_EQ(result.port, 1);
      EXPECT_TRUE(std::equal(rig.target.flash.begin(), rig.target.flash.end(), expected.begin()));
      EXPECT_EQ(rig.target.instructionsWhileBusy, 0);
      EXPECT_EQ(rig.observer.texts.back(), "Hotovo");
      EXPECT_TRUE(rig.observer.warnings.empty());
      EXPECT_EQ(rig.target.lineLog.back(), "BRK-");  // the new firmware runs
      if (chip == Chip::Atmega8515) {
        EXPECT_EQ(rig.target.fuseHigh, 0x59);
        EXPECT_EQ(rig.target.fuseLow, 0xEE);
      }
    }
  }
}

TEST(FirmwareUploadTest, AutomaticSearchWithoutAChipUsesCom1AndReportsNotConnected) {
  UploadRig rig(Chip::At90s8515, true);
  rig.target.connected = false;
  const auto result = rig.Upload(kHex);
  EXPECT_EQ(result.outcome, FirmwareOutcome::NotConnected);
  EXPECT_EQ(result.port, 1);
  ASSERT_EQ(rig.observer.warnings.size(), 1u);
  EXPECT_EQ(rig.observer.warnings[0].text,
            "Hlásič není připojen, nebo má špatně nastaveny propojky!");
  EXPECT_EQ(rig.observer.ports.front(), "Autodetekce");
}

TEST(FirmwareUploadTest, BadHexFileTouchesNothing) {
  TempDir dir;
  WriteFile(dir / "bad.hex", ":10000000ZZ\n");
  UploadRig rig(Chip::Atmega8515, false);
  const auto result = rig.Upload(dir / "bad.hex");
  EXPECT_EQ(result.outcome, FirmwareOutcome::UnableLoadFile);
  ASSERT_EQ(rig.observer.warnings.size(), 1u);
  EXPECT_EQ(rig.observer.warnings[0].text,
            "Soubor " + (dir / "bad.hex").string() + " nelze načíst!");
  EXPECT_EQ(rig.target.chipErases, 0);
}

TEST(FirmwareUploadTest, StopErasesTheChip) {
  UploadRig rig(Chip::At90s8515, false);
  rig.observer.stop = true;
  const auto result = rig.Upload(kHex);
  EXPECT_EQ(result.outcome, FirmwareOutcome::Stopped);
  EXPECT_TRUE(result.closeDialog);
  EXPECT_TRUE(std::all_of(rig.target.flash.begin(), rig.target.flash.end(),
                          [](uint8_t b) { return b == 0xFF; }));
}

}  // namespace
}  // namespace liftvox::test
