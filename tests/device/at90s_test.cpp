#include <gtest/gtest.h>

#include <numeric>
#include <tuple>

#include "device/at90s.h"
#include "device/avr_target.h"
#include "device/line_rig.h"

namespace liftvox::test {
namespace {

using Chip = AvrTarget::Chip;

std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> data(size);
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i * 37 + 11);
  data[5] = 0x7F;  // cannot be polled on either chip
  data[6] = 0xFF;
  std::fill(data.begin() + 128, data.begin() + 192, uint8_t{0xFF});  // a blank page
  return data;
}

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

TEST(At90sTest, BothProceduresWriteExactlyTheImageWithoutOverrunningBusyTimes) {
  for (Chip chip : {Chip::At90s8515, Chip::Atmega8515}) {
    Rig rig(chip);
    rig.target.flash.assign(8192, 0x00);  // not erased: the erase must come first
    ASSERT_EQ(rig.programmer.ProgrammingEnable(), 0);
    rig.programmer.ChipErase();
    EXPECT_EQ(rig.target.chipErases, 1);
    const auto data = Pattern(1000);
    EXPECT_EQ(rig.programmer.ProgramMemory(data, rig.observer),
              chip == Chip::At90s8515 ? 1000 : 1024);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), rig.target.flash.begin()));
    EXPECT_TRUE(std::all_of(rig.target.flash.begin() + 1000, rig.target.flash.end(),
                            [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(rig.target.instructionsWhileBusy, 0);
  }
}

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
  EXPECT_EQ(rig.programmer.ProgramMemory(Pattern(256), rig.observer), -1);
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
