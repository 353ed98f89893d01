#include <gtest/gtest.h>

#include "device/announcer_protocol.h"
#include "sim/sim_fixture.h"

namespace liftvox::test {
namespace {

TEST(AnnouncerLinkTest, FindsTheAnnouncerAndReadsItsRecord) {
  SimLink link({"--memory", "3", "--firmware", "3.4", "--hardware", "2", "--interface", "5"});
  link.settings.autoPort = true;
  std::vector<std::string> status;
  link.session->SetStatusSink([&](int panel, const std::string& text) {
    if (panel == 3) status.push_back(text);
  });
  EXPECT_EQ(FindAnnouncerPort(link.port), 1);
  EXPECT_FALSE(link.port.IsOpen());
  EXPECT_TRUE(ProbePort(link.port, 1));

  // The record's fields themselves are parsed in the protocol's unit tests.
  const auto info = link.session->QueryAnnouncerInfo();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->HardwareVersion(), 2);
  EXPECT_EQ(status.back(), " Port: COM1");

  EXPECT_EQ(link.session->GetMemorySizeFromAnnouncer(), 524288);
  EXPECT_EQ(link.session->MemorySizeCode(), 3);
  EXPECT_EQ(link.session->PageSizeForMemory(), 256);
  EXPECT_EQ(link.session->GetInterfaceFromAnnouncer(), 5);
  int major = 0;
  int minor = 0;
  EXPECT_TRUE(link.session->GetFirmwareVersion(major, minor));
  EXPECT_EQ(major * 10 + minor, 34);
}

TEST(AnnouncerLinkTest, OldFirmwareSendsNoInterface) {
  SimLink link({"--firmware", "2.6"});
  EXPECT_EQ(link.session->GetInterfaceFromAnnouncer(), -1);
  const auto labels = ReadHardwareProperties(*link.session, [](const Message&) {});
  EXPECT_EQ(labels.softwareVersion, "2.6");
  EXPECT_EQ(labels.memorySize, "64kB");
  EXPECT_EQ(labels.activeInterface, "");
}

TEST(AnnouncerLinkTest, QueriesRetryAnAnnouncerThatIsSlowToAnswer) {
  // Three ignored information commands are within the six tries.
  SimLink link({"--silent-first", "3", "--memory", "7"});
  EXPECT_EQ(link.session->GetMemorySizeFromAnnouncer(), 8388608);
  EXPECT_EQ(link.session->PageSizeForMemory(), 1024);
}

TEST(AnnouncerLinkTest, NoAnnouncerMeansNoAnswerAndTheChosenSize) {
  SimLink link({"--silent-first", "100"});
  link.settings.autoPort = true;
  link.settings.fixedPort = "COM3";
  link.settings.chosenMemory = "1MB";
  std::vector<std::string> status;
  link.session->SetStatusSink(
      [&](int panel, const std::string& text) { status.push_back(std::to_string(panel) + text); });
  EXPECT_EQ(link.session->SelectPort(), 3);
  ASSERT_GE(status.size(), 2u);
  EXPECT_EQ(status[0], "3 Port: COM0");
  EXPECT_EQ(status[1], "3 Port: COM3");

  link.settings.autoPort = false;
  link.settings.fixedPort = "COM1";
  EXPECT_EQ(link.session->DetectMemorySize(), 1048576);
  EXPECT_EQ(link.session->MemorySizeCode(), 4);
  EXPECT_EQ(status.back(), "2 Zvolená paměť: 1MB");

  std::vector<Message> warnings;
  const auto labels =
      ReadHardwareProperties(*link.session, [&](const Message& m) { warnings.push_back(m); });
  EXPECT_EQ(labels.hardwareVersion, "Hlásič nebyl detekován");
  EXPECT_TRUE(warnings.empty());  // the port opened; the announcer just did not answer
}

TEST(AnnouncerLinkTest, PortThatDoesNotOpenIsReported) {
  TLanguage language;
  DeviceSettings settings;
  settings.autoPort = false;
  settings.fixedPort = "COM2";
  RS232Interface port(PortTable({"/nonexistent/tty0"}));
  AnnouncerSession session(port, settings, language);
  std::vector<Message> warnings;
  const auto labels =
      ReadHardwareProperties(session, [&](const Message& m) { warnings.push_back(m); });
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].key, "UnableOpenPort");
  EXPECT_EQ(warnings[0].text, "Nepodařilo se otevřít port COM2!");
  EXPECT_EQ(labels.softwareVersion, "");
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
