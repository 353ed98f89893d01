#include <gtest/gtest.h>

#include <chrono>

#include "device/announcer_protocol.h"
#include "sim/sim_fixture.h"

namespace liftvox::test {
namespace {

// The session's queries through the real serial port code; what the answers
// mean is left to the in-process tests.
TEST(AnnouncerLinkTest, FindsTheAnnouncerAndReadsItsRecord) {
  SimLink link({"--memory", "3", "--firmware", "3.4", "--hardware", "2", "--interface", "5"});
  EXPECT_EQ(FindAnnouncerPort(link.port), 1);
  EXPECT_FALSE(link.port.IsOpen());
  EXPECT_TRUE(ProbePort(link.port, 1));

  DeviceSettings automatic;
  link.session.SetSettings(automatic);
  const auto info = link.session.QueryAnnouncerInfo(link.observer);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->HardwareVersion(), 2);
  EXPECT_EQ(info->InterfaceNumber(), 5);
  EXPECT_EQ(link.observer.statuses.back().second, " Port: COM1");
  EXPECT_FALSE(link.port.IsOpen());
}

TEST(SerialPortTest, HangUpEndsAReadAtOnce) {
  auto sim = std::make_unique<SimProcess>(std::vector<std::string>{});
  RS232Interface port(PortTable({sim->DevicePath()}));
  ASSERT_EQ(port.Open(1), 0);
  port.SetTimeouts(5000, 5000);
  sim.reset();
  uint8_t byte = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(port.Read(&byte, 1), -1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
}  // namespace liftvox::test
