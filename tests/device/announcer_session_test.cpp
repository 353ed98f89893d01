#include "device/announcer_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <utility>

#include "device/line_rig.h"
#include "device/memory_transfer.h"

namespace liftvox::test {
namespace {

using Status = std::pair<StatusPanel, std::string>;

TEST(AnnouncerSessionTest, NoAnnouncerMeansTheFixedPortAndTheChosenSize) {
  LineRig rig({}, {.silentFirst = 1000});
  DeviceSettings settings = LineRig::FixedPort(3);
  settings.autoPort = true;
  settings.chosenMemory = "1MB";
  rig.session.SetSettings(settings);
  EXPECT_EQ(rig.session.SelectPort(rig.observer), 3);
  EXPECT_EQ(rig.session.DetectMemorySize(rig.observer), 1048576);
  EXPECT_EQ(rig.session.MemorySizeCode(), 4);
  const std::vector<Status> expected = {
      {StatusPanel::Port, " Port: COM0"},  // the search found nothing
      {StatusPanel::Port, " Port: COM3"},
      {StatusPanel::Port, " Port: COM0"},  // again for the memory size
      {StatusPanel::Port, " Port: COM3"},
      {StatusPanel::Announcer, "Hlásič nebyl detekován"},
      {StatusPanel::Memory, " Zvolená paměť: 1MB"}};
  EXPECT_EQ(rig.observer.statuses, expected);
}

// The search asks ports 1 to 4 in turn; without an answer there the fixed
// port is used.
TEST(AnnouncerSessionTest, PortSearchAsksPortsOneToFour) {
  const int announcerPorts[] = {1, 2, 4, 5};
  for (const int at : announcerPorts) {
    LineRig rig;
    rig.line.announcerPort = at;
    DeviceSettings settings = LineRig::FixedPort(3);
    settings.autoPort = true;
    rig.session.SetSettings(settings);
    EXPECT_EQ(rig.session.SelectPort(rig.observer), at <= 4 ? at : 3) << at;
  }
}

TEST(AnnouncerSessionTest, DetectedSizeSetsTheCodeAndThePageSize) {
  LineRig rig({.memoryCode = 7});
  EXPECT_EQ(rig.session.PageSizeForMemory(rig.observer), 1024);
  EXPECT_EQ(rig.session.MemorySizeCode(), 7);
  EXPECT_EQ(rig.observer.statuses.back(), Status(StatusPanel::Memory, " Detekovaná paměť: 8MB"));
}

// A settings dialog may hand over new settings while a run goes on: the run
// keeps what it started with, the next run takes the new ones.
TEST(AnnouncerSessionTest, RunKeepsTheSettingsItStartedWith) {
  LineRig rig;
  const auto image = MakeImage(65536, 256, 3, 1, "");
  // Port 2 has nothing on it.
  rig.observer.onPortChanged = [&] { rig.session.SetSettings(LineRig::FixedPort(2)); };
  const ProgramImage toProgram{image, 65536, 768, 1};
  EXPECT_EQ(ProgramAnnouncer(rig.session, toProgram, rig.prompter, rig.observer).outcome,
            TransferOutcome::Completed);
  EXPECT_EQ(ProgramAnnouncer(rig.session, toProgram, rig.prompter, rig.observer).outcome,
            TransferOutcome::NoAnnouncer);
}

// The start-up memory-size detection may still run when a dialog starts its
// job: the second job waits for the first instead of sharing the port. The
// first one holds on in the middle for long enough that the second, had it
// not waited, would have ended meanwhile.
TEST(AnnouncerSessionTest, JobsOnOneSessionTakeTurns) {
  LineRig rig;
  std::promise<void> firstInside;
  std::promise<void> secondEnded;
  auto secondEndedFuture = secondEnded.get_future();
  bool secondEndedWhileFirstRan = false;
  JobRecorder firstObserver;
  firstObserver.onPortChanged = [&, once = true]() mutable {
    if (!std::exchange(once, false)) return;
    firstInside.set_value();
    secondEndedWhileFirstRan =
        secondEndedFuture.wait_for(std::chrono::milliseconds(300)) == std::future_status::ready;
  };
  std::thread first([&] { ReadHardwareProperties(rig.session, rig.prompter, firstObserver); });
  firstInside.get_future().wait();
  JobRecorder secondObserver;
  int64_t detected = 0;
  std::thread second([&] {
    detected = rig.session.DetectMemorySize(secondObserver);
    secondEnded.set_value();
  });
  first.join();
  second.join();
  EXPECT_FALSE(secondEndedWhileFirstRan);
  EXPECT_EQ(detected, 65536) << "the second job still ran, after the first";
}

TEST(HardwarePropertiesTest, LabelsAndWarningsFollowWhatTheQueryReached) {
  const sim::AnnouncerIdentity serial512{3, 4, 2, 3, 5}, old{2, 6, 1, 0, 5};
  const std::string none = "Hlásič nebyl detekován";
  const struct {
    sim::AnnouncerIdentity identity;
    int silentFirst, port;
    bool portOpened;
    std::vector<std::string> labels;  // hardware, software, memory, interface, warning
  } cases[] = {
      {serial512, 0, 1, true, {"2", "3.4", "512kB", "Sériové", ""}},
      {old, 0, 1, true, {"1", "2.6", "64kB", "", ""}},  // no interface before 2.7
      {{}, 100, 1, true, {none, "", "", "", ""}},
      {{}, 0, 2, false, {none, "", "", "", "Nepodařilo se otevřít port COM2!"}},
      {{}, 0, 0, false, {none, "", "", "", none}},
  };
  for (const auto& c : cases) {
    LineRig rig(c.identity, {.silentFirst = c.silentFirst});
    rig.session.SetSettings(LineRig::FixedPort(c.port));
    const auto read = ReadHardwareProperties(rig.session, rig.prompter, rig.observer);
    EXPECT_LE(rig.prompter.shown.size(), 1u);
    const std::vector<std::string> labels = {
        read.hardwareVersion, read.softwareVersion, read.memorySize, read.activeInterface,
        rig.prompter.shown.empty() ? "" : rig.prompter.shown[0].text};
    EXPECT_EQ(labels, c.labels) << c.port;
    EXPECT_EQ(read.portOpened, c.portOpened);
    EXPECT_EQ(rig.observer.ports.front(), "Detekce...");
  }
}

// The hardware properties, the interface question and the command-line tool
// name an interface as the menu does: by its translated key.
TEST(AnnouncerSessionTest, InterfaceNamesAreTranslated) {
  struct English final : Translator {
    std::string Translate(const std::string& key, const std::string& czech) const override {
      return key == "Interface5"         ? "Serial protocol"
             : key == "UnknownInterface" ? "unknown"
                                         : czech;
    }
  } english;
  SimulatedLine line({}, {}, 0xFF);
  AnnouncerSession session(line, {}, english, {{"Paralelní", 1}, {"Sériové", 5}});
  EXPECT_EQ(session.InterfaceName(5), "Serial protocol");
  EXPECT_EQ(session.InterfaceName(1), "Paralelní");  // no translation: the list's name
  EXPECT_EQ(session.InterfaceName(7), "unknown");
}

}  // namespace
}  // namespace liftvox::test
