#include "device/spi_bus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/avr_target.h"
#include "device/us_delay.h"

namespace liftvox::test {
namespace {

// The bus on the fake chip's port, which logs every line change.
struct BusRig {
  VirtualClock clock;
  AvrTarget target{AvrTarget::Chip::Atmega8515, clock};
  int opened = target.Open(1);
  SPIBus bus{target, clock.Timing()};

  // The last state set on `line` ("DTR", "RTS", "BRK"): "+" or "-".
  std::string Last(const std::string& line) const {
    for (auto it = target.lineLog.rbegin(); it != target.lineLog.rend(); ++it) {
      if (it->starts_with(line)) return it->substr(3);
    }
    return "";
  }
};

// Bit order, inversion and clock pulses show in every exchange with the
// fake chip; here, what no exchange shows.
TEST(SpiBusTest, ReadsMisoThroughTheInvertedCts) {
  BusRig rig;
  rig.target.connected = false;  // MISO floats high: CTS off
  EXPECT_EQ(rig.bus.ReadByte(), 0xFF);
  rig.target.connected = true;
  rig.bus.SetReset(true);  // in programming mode, with nothing to say yet: MISO low, CTS on
  EXPECT_EQ(rig.bus.ReadByte(), 0x00);
  rig.target.connected = false;
  rig.target.Close();  // a failed status read counts as CTS on
  EXPECT_EQ(rig.bus.ReadByte(), 0x00);
}

TEST(SpiBusTest, ResetLeavesBreakOnSckLowMosiHighAndSetsTheBitDelay) {
  BusRig rig;
  EXPECT_EQ(rig.bus.BitDelay(), 0);
  rig.bus.WriteByte(0x00);  // leaves MOSI low
  rig.bus.ResetTarget();
  EXPECT_EQ(rig.bus.BitDelay(), 6);
  EXPECT_EQ(rig.Last("BRK"), "+");
  EXPECT_EQ(rig.Last("RTS"), "+");
  EXPECT_EQ(rig.Last("DTR"), "-");
  // A 20 ms pulse with RESET high, then 30 ms before the first instruction.
  EXPECT_EQ(rig.clock.microseconds, 70000);
  const std::vector<std::string> tail(rig.target.lineLog.end() - 2, rig.target.lineLog.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"BRK-", "BRK+"}));
}

TEST(UsDelayTest, WaitsAtLeastTheTimeAndZeroReturnsAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  UsDelay(0);
  UsDelay(-5);
  UsDelay(300);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(300));
}

}  // namespace
}  // namespace liftvox::test
