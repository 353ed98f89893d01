#include <gtest/gtest.h>

#include <tuple>

#include "device/at90s.h"
#include "device/avr_target.h"
#include "device/line_rig.h"

namespace liftvox::test {
namespace {

using Chip = AvrTarget::Chip;

// A target chip on an open port and the programmer that talks to it.
struct Rig {
  Rig(Chip chip, int misaligned = 0) : target(chip, clock, misaligned) {}
  VirtualClock clock;
  AvrTarget target;
  int opened = target.Open(1);
  At90s programmer{target, clock.Timing()};
  NullDeviceJobObserver observer;
};

TEST(At90sTest, SynchronisesDespiteAMisalignedBitFramingAndReadsTheSignature) {
  for (int misaligned : {0, 3, 17, 31}) {
    Rig rig(Chip::Atmega8515, misaligned);
    EXPECT_EQ(rig.programmer.ProgrammingEnable(), 0) << misaligned;
    EXPECT_EQ(rig.programmer.Signature, kSignatureAtmega8515) << misaligned;
  }
  Rig rig(Chip::At90s8515, 5);
  EXPECT_EQ(rig.programmer.ProgrammingEnable(), 0);
  EXPECT_EQ(rig.programmer.Signature, kSignatureAt90s8515);
}

TEST(At90sTest, AbsentChipFailsAfterAllPassesAndLeavesSignatureZero) {
  Rig rig(Chip::At90s8515);
  rig.target.connected = false;
  EXPECT_EQ(rig.programmer.ProgrammingEnable(), -1);
  EXPECT_EQ(rig.programmer.Signature, 0u);
  int resets = 0;
  for (const auto& line : rig.target.lineLog) resets += line == "BRK+";
  EXPECT_EQ(resets, 4);
}

// The firmware upload writes whole images, bytes that cannot be polled among
// them; the padded last page shows here.
TEST(At90sTest, BlankDataWritesNothingAndCountsPartialPagesWhole) {
  const std::vector<uint8_t> blank(100, 0xFF);
  for (Chip chip : {Chip::At90s8515, Chip::Atmega8515}) {
    Rig rig(chip);
    ASSERT_EQ(rig.programmer.ProgrammingEnable(), 0);
    EXPECT_EQ(rig.programmer.ProgramMemory(blank, rig.observer),
              chip == Chip::At90s8515 ? 100 : 128);
    EXPECT_EQ(rig.target.bytesWritten, 0);
  }
}

TEST(At90sTest, UnknownSignatureSendsNothing) {
  Rig rig(Chip::At90s8515);
  rig.programmer.Signature = 0x07931E;
  const size_t linesBefore = rig.target.lineLog.size();
  EXPECT_EQ(rig.programmer.ProgramMemory(std::vector<uint8_t>(256, 0x12), rig.observer), -1);
  EXPECT_EQ(rig.target.lineLog.size(), linesBefore);
}

TEST(At90sTest, StopEndsBeforeTheNextByteOrPage) {
  // The byte procedure reports every 64 bytes, the page one after each page.
  for (auto [chip, reports, written] :
       {std::tuple{Chip::At90s8515, 1, 64}, std::tuple{Chip::Atmega8515, 2, 128}}) {
    Rig rig(chip);
    ASSERT_EQ(rig.programmer.ProgrammingEnable(), 0);
    JobRecorder observer;
    const size_t limit = static_cast<size_t>(reports);
    observer.stopWhen = [&] { return observer.progressTexts.size() >= limit; };
    EXPECT_EQ(rig.programmer.ProgramMemory(std::vector<uint8_t>(512, 0x12), observer), 0);
    EXPECT_EQ(rig.target.bytesWritten, written);
    if (chip == Chip::At90s8515) {
      EXPECT_EQ(observer.progressTexts.front(), "63B / 511B");
    }
  }
}

TEST(At90sTest, PollingGivesUpOnAByteThatNeverVerifies) {
  Rig rig(Chip::At90s8515);
  ASSERT_EQ(rig.programmer.ProgrammingEnable(), 0);
  rig.target.flash[10] = 0x00;  // a stuck byte: writing 0x55 cannot set its bits
  EXPECT_EQ(rig.programmer.WaitForWrite(10, 0x55), -1);
  std::vector<uint8_t> data(64, 0xFF);
  data[10] = 0x55;
  EXPECT_EQ(rig.programmer.ProgramMemory(data, rig.observer), -1);
}

}  // namespace
}  // namespace liftvox::test
