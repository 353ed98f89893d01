#include "device/firmware_upload.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "device/avr_target.h"
#include "device/intel_hex.h"
#include "device/line_rig.h"
#include "model/translator.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

using Chip = AvrTarget::Chip;

struct UploadRig {
  explicit UploadRig(Chip chip, bool autoPort) : target(chip, clock, 2) {
    settings.autoPort = autoPort;
    settings.fixedPort = "COM1";
  }
  FirmwareResult Upload(const std::filesystem::path& hex) {
    AnnouncerSession session(target, settings, language);
    const int port = FirmwarePortChoice(session, observer);
    return UploadFirmware(session, hex, port, prompter, observer, clock.Timing());
  }
  VirtualClock clock;
  AvrTarget target;
  DeviceSettings settings;
  CzechTranslator language;
  ScriptedPrompter prompter;
  JobRecorder observer;
};

const std::filesystem::path kHex = TestDataDir() / "device" / "firmware.hex";

bool Erased(const std::vector<uint8_t>& flash) {
  return std::all_of(flash.begin(), flash.end(), [](uint8_t b) { return b == 0xFF; });
}

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
      EXPECT_EQ(rig.observer.progressTexts.back(), "Hotovo");
      EXPECT_TRUE(rig.prompter.shown.empty());
      EXPECT_EQ(rig.target.lineLog.back(), "BRK-");  // the new firmware runs
      EXPECT_FALSE(rig.target.IsOpen());
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
  ASSERT_EQ(rig.prompter.shown.size(), 1u);
  EXPECT_EQ(rig.prompter.shown[0].text, "Hlásič není připojen, nebo má špatně nastaveny propojky!");
  EXPECT_EQ(rig.observer.ports.front(), "Autodetekce");
}

TEST(FirmwareUploadTest, BadHexFileTouchesNothing) {
  TempDir dir;
  WriteFile(dir / "bad.hex", ":10000000ZZ\n");
  UploadRig rig(Chip::Atmega8515, false);
  const auto result = rig.Upload(dir / "bad.hex");
  EXPECT_EQ(result.outcome, FirmwareOutcome::UnableLoadFile);
  ASSERT_EQ(rig.prompter.shown.size(), 1u);
  EXPECT_EQ(rig.prompter.shown[0].text, "Soubor " + (dir / "bad.hex").string() + " nelze načíst!");
  EXPECT_EQ(rig.target.chipErases, 0);
}

TEST(FirmwareUploadTest, StopErasesTheChip) {
  UploadRig rig(Chip::At90s8515, false);
  rig.observer.stopWhen = [] { return true; };
  const auto result = rig.Upload(kHex);
  EXPECT_EQ(result.outcome, FirmwareOutcome::Stopped);
  EXPECT_TRUE(result.closeDialog);
  EXPECT_TRUE(Erased(rig.target.flash));
}

// A failure half-way through programming ends like every upload: the port
// closed and, where the port still works, the chip out of reset (erased too
// when a stop was asked for).
TEST(FirmwareUploadTest, FailureWhileProgrammingEndsInUploadErrorAndTheUsualCleanUp) {
  enum class Fault { ObserverThrows, PortFails };
  struct Case {
    Fault fault;
    bool stop;
    std::string detail;
  };
  const std::vector<Case> cases = {
      {Fault::ObserverThrows, false, "display gone"},
      {Fault::ObserverThrows, true, "display gone"},
      {Fault::PortFails, false, "the serial port refused a control line"}};
  for (const auto& c : cases) {
    UploadRig rig(Chip::Atmega8515, false);
    bool failed = false;
    rig.observer.stopWhen = [&] {
      if (rig.observer.progressTexts.size() == 3 && !failed) {
        failed = true;
        if (c.fault == Fault::PortFails) rig.target.unplugged = true;
        if (c.fault == Fault::ObserverThrows) throw std::runtime_error("display gone");
      }
      return c.stop && failed;
    };
    const auto result = rig.Upload(kHex);
    EXPECT_EQ(result.outcome, c.stop ? FirmwareOutcome::Stopped : FirmwareOutcome::UploadError);
    EXPECT_EQ(result.detail, c.detail);
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text, "Chyba programování hlásiče!");
    EXPECT_FALSE(rig.target.IsOpen());
    if (c.fault == Fault::ObserverThrows) {
      EXPECT_EQ(rig.target.lineLog.back(), "BRK-");  // RESET released
    }
    EXPECT_EQ(Erased(rig.target.flash), c.stop);
    EXPECT_EQ(rig.observer.progressTexts.back(), "Hotovo");
  }
}

}  // namespace
}  // namespace liftvox::test
