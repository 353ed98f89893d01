#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/avr_target.h"
#include "device/spi_bus.h"
#include "device/us_delay.h"

namespace liftvox::test {
namespace {

// Records line changes and holds CTS where the test puts it.
class LinePort final : public SerialPort {
 public:
  int cts = 0;  // what GetCTS reports
  bool open = true;
  std::vector<std::string> log;
  bool breakOn = false, rts = false, dtr = false;

  int Open(int) override { return 0; }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  int SetParams(int, int, char, int, int) override { return 0; }
  int SetTimeouts(int, int) override { return 0; }
  int SetBufferSizes(int, int) override { return 0; }
  int SetBreak(bool on) override { return Line("BRK", breakOn, on); }
  int SetDTR(bool on) override { return Line("DTR", dtr, on); }
  int SetRTS(bool on) override { return Line("RTS", rts, on); }
  int GetCTS() override { return open ? cts : -1; }
  void PurgeInput() override {}
  void PurgeOutput() override {}
  int Read(uint8_t*, int) override { return 0; }
  int Write(const uint8_t*, int n) override { return n; }
  std::string PortLabel(int) const override { return "COM1"; }

 private:
  int Line(const char* name, bool& state, bool on) {
    if (!open) return -1;
    state = on;
    log.push_back(std::string(name) + (on ? "+" : "-"));
    return 0;
  }
};

TEST(SpiBusTest, WritingA5DrivesDtrInvertedWithOneClockPulsePerBit) {
  LinePort port;
  VirtualClock clock;
  SPIBus bus(port, clock.Timing());
  port.log.clear();
  bus.WriteByte(0xA5);
  std::vector<std::string> dtr;
  int pulses = 0;
  for (size_t i = 0; i < port.log.size(); ++i) {
    if (port.log[i].starts_with("DTR")) dtr.push_back(port.log[i]);
    // A pulse: RTS cleared (SCK high) and set again (SCK low).
    if (port.log[i] == "RTS-" && i + 1 < port.log.size() && port.log[i + 1] == "RTS+") ++pulses;
  }
  const std::vector<std::string> expected = {"DTR-", "DTR+", "DTR-", "DTR+",
                                             "DTR+", "DTR-", "DTR+", "DTR-"};
  EXPECT_EQ(dtr, expected);
  EXPECT_EQ(pulses, 8);
  EXPECT_TRUE(port.rts);  // SCK ends low
}

TEST(SpiBusTest, ReadsMisoThroughTheInvertedCts) {
  LinePort port;
  VirtualClock clock;
  SPIBus bus(port, clock.Timing());
  port.cts = 16;
  EXPECT_EQ(bus.ReadByte(), 0x00);
  port.cts = 0;
  EXPECT_EQ(bus.ReadByte(), 0xFF);
  port.open = false;  // a failed status read counts as CTS on
  EXPECT_EQ(bus.ReadByte(), 0x00);
}

TEST(SpiBusTest, ResetLeavesBreakOnSckLowMosiHighAndSetsTheBitDelay) {
  LinePort port;
  VirtualClock clock;
  SPIBus bus(port, clock.Timing());
  EXPECT_EQ(bus.BitDelay(), 0);
  bus.ResetTarget();
  EXPECT_EQ(bus.BitDelay(), 6);
  EXPECT_TRUE(port.breakOn);
  EXPECT_TRUE(port.rts);
  EXPECT_FALSE(port.dtr);
  // A 20 ms pulse with RESET high, then 30 ms before the first instruction.
  EXPECT_EQ(clock.microseconds, 70000);
  const std::vector<std::string> tail(port.log.end() - 2, port.log.end());
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
