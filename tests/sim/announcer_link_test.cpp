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

  // A typed device path no port list names, as a Bluetooth or virtual port.
  DeviceSettings typed;
  typed.autoPort = false;
  typed.portList = "/dev/liftvox-no-such-port";
  typed.fixedPort = link.sim.DevicePath();
  link.session.SetSettings(typed, typed.Ports());
  EXPECT_TRUE(link.session.QueryAnnouncerInfo(link.observer));
}

TEST(SerialPortTest, StoredSettingsSurviveReopeningAndBadValuesKeepThem) {
  SimProcess sim({});
  RS232Interface port(PortTable({sim.DevicePath(), sim.DevicePath()}));
  EXPECT_EQ(port.SetParams(115200, 8, 'N', 0, 0), -1);  // closed: nothing stored
  EXPECT_EQ(port.StoredSettings().baud, 9600);
  EXPECT_EQ(port.SetTimeouts(50, 20), -1);  // closed, yet stored
  EXPECT_EQ(port.ReadTotalTimeout(), 50);

  ASSERT_EQ(port.Open(1), 0);
  // A pty refuses parity, but the letter is stored all the same.
  port.SetParams(-1, -1, 'E', -1, -1);
  EXPECT_EQ(port.StoredSettings().parity, 'E');
  EXPECT_EQ(port.SetParams(115200, 8, 'N', 0, 0), 0);
  EXPECT_EQ(port.SetParams(115201, -1, 'X', 3, -1), 0);
  EXPECT_EQ(port.StoredSettings().baud, 115200);
  EXPECT_EQ(port.StoredSettings().parity, 'N');
  EXPECT_EQ(port.StoredSettings().stopBits, 0);
  EXPECT_EQ(port.SetParams(299, -1, ' ', -1, -1), 0);
  EXPECT_EQ(port.StoredSettings().baud, 115200);
  EXPECT_EQ(port.SetParams(300, -1, ' ', -1, -1), 0);
  EXPECT_EQ(port.StoredSettings().baud, 300);

  port.Close();
  port.Close();
  EXPECT_EQ(port.GetCTS(), -1);
  EXPECT_EQ(port.Read(nullptr, 1), -1);
  ASSERT_EQ(port.Open(2), 0);  // the exclusive claim was released
  EXPECT_EQ(port.StoredSettings().baud, 300);
  EXPECT_EQ(port.ReadTotalTimeout(), 50);
  // A pty has no modem lines: the failure is reported, not hidden.
  EXPECT_EQ(port.SetDTR(true), -1);

  // A read honours the total time-out when nothing comes.
  uint8_t byte = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(port.Read(&byte, 1), 0);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(45));
  EXPECT_LT(elapsed, std::chrono::milliseconds(1000));
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
