#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "base/sha256.h"
#include "cli/batch_display.h"
#include "commands/production_log.h"
#include "image/image_file.h"
#include "sim/sim_fixture.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

TEST(CliDeviceTest, ProgramReadAndReadConfigRoundTrip) {
  TempDir dir;
  SimProcess sim({"--interface", "1"});
  const std::string device = sim.DevicePath();
  const std::string configuration = "[General]\r\nVersion=2.00\r\n";
  auto image = MakeImage(65536, 256, 6, 1, configuration);
  const auto in = (dir / "in.bin").string();
  ASSERT_EQ(SaveMemoryImageFile(in, image, 65536, 6 * 256, 0), ImageFileError::None);

  ASSERT_EQ(RunCli({"program", in, "--device", device, "--verify"}).exitCode, 0);
  ASSERT_EQ(RunCli({"read", "-o", (dir / "out.bin").string(), "--device", device}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir / "out.bin"), ReadFile(in));
  ASSERT_EQ(RunCli({"read-config", "-o", (dir / "out.cfg").string(), "--device", device}).exitCode,
            0);
  EXPECT_EQ(ReadFile(dir / "out.cfg"), configuration);
  const CliResult info = RunCli({"info", "--device", device});
  EXPECT_NE(info.out.find("firmware: 3.4"), std::string::npos) << info.err;
}

TEST(CliDeviceTest, RefusalsExitWithAnError) {
  TempDir dir;
  SimProcess sim({"--memory", "1", "--interface", "5"});
  const std::string device = sim.DevicePath();
  auto image = MakeImage(65536, 256, 3, 1, "");
  const auto in = (dir / "in.bin").string();
  ASSERT_EQ(SaveMemoryImageFile(in, image, 65536, 3 * 256, 0), ImageFileError::None);
  const auto config = (dir / "c.cfg").string();
  WriteFile(config, "[/GENERAL]\r\n");
  CliResult result = RunCli({"program", config, "--memory", "64kB", "--device", device});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("Data byla sestavena pro paměť 65536"), std::string::npos)
      << "a configuration built for 64 kB meets the same check";
  result = RunCli({"program", config, "--device", device});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("--memory"), std::string::npos);
  EXPECT_EQ(RunCli({"info", "--device", "/nonexistent/tty"}).exitCode, 1);

  // An image file meets the check too, in the user's language.
  result = RunCli({"program", in, "--device", device}, {"LANG=en_US.UTF-8"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err,
            "error: The data were built for a memory of 65536 bytes. The announcer "
            "cannot be programmed with them!\n");
}

// A configuration is built for the interface given, as `build` does, so the
// announcer's interface question does not come up.
TEST(CliDeviceTest, ProgramBuildsAConfigurationForTheInterfaceGiven) {
  TempDir dir;
  SimProcess sim({"--interface", "5"});
  const std::string device = sim.DevicePath();
  const auto config = (dir / "c.cfg").string();
  WriteFile(config, "[/GENERAL]\r\nVersion=2.00\r\n[0]\r\nCode=3\r\nName=Lift\r\n");

  CliResult result = RunCli({"program", config, "--memory", "64kB", "--device", device});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("--yes"), std::string::npos) << result.err;
  result = RunCli({"program", config, "--memory", "64kB", "--interface", "5", "--device", device});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto image = (dir / "back.bin").string();
  ASSERT_EQ(RunCli({"read", "-o", image, "--device", device}).exitCode, 0);
  EXPECT_NE(RunCli({"inspect", image, "--json"}).out.find("\"interface\":5"), std::string::npos);

  result = RunCli({"program", image, "--interface", "5", "--device", device});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("--interface applies to a configuration"), std::string::npos);
}

// The line of `text` that holds `part`.
std::string LineWith(const std::string& text, const std::string& part) {
  const size_t at = text.find(part);
  if (at == std::string::npos) return "";
  const size_t start = text.rfind('\n', at) + 1;  // npos + 1 is the text's start
  return text.substr(start, text.find('\n', at) - start);
}

// Four announcers at once: a worn cell fails its own, an absent device fails
// alone, the others are programmed; the exit status tells, the table and
// the log have a line for each.
TEST(CliDeviceTest, SeveralAtOnceFailAloneAndEachGetsATableRowAndALogLine) {
  TempDir dir;
  SimProcess good({"--interface", "1"}), other({"--interface", "1"});
  SimProcess worn({"--interface", "1", "--worn-cell", "0x1234", "--worn-cell", "5000"});
  const auto image = MakeImage(65536, 256, 20, 1, "");
  const auto in = (dir / "in.bin").string();
  ASSERT_EQ(SaveMemoryImageFile(in, image, 65536, 20 * 256, 0), ImageFileError::None);
  const auto log = dir / "log.csv";
  const CliResult result = RunCli({"program", in, "--device", good.DevicePath(), "--device",
                                   worn.DevicePath(), "--device", other.DevicePath(), "--device",
                                   "/nonexistent/tty", "--verify", "--log", log.string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find(worn.DevicePath() +
                            ": Ověření po programování selhalo: liší se 2 bajtů, první na adrese "
                            "0x001234 (stránka 18)."),
            std::string::npos)
      << result.err;
  const std::string csv = ReadFile(log);
  EXPECT_EQ(csv.find(ProductionLog::Header() + std::string("\r\n")), 0u);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 5);
  const std::string sha = Sha256Hex(std::span(image).first(20 * 256));
  for (const auto& [device, word] : {std::pair{good.DevicePath(), "ok"},
                                     {worn.DevicePath(), "verify failed"},
                                     {other.DevicePath(), "ok"},
                                     {std::string("/nonexistent/tty"), "not detected"}}) {
    EXPECT_NE(LineWith(result.out, device).find(word), std::string::npos) << result.out;
    EXPECT_NE(LineWith(csv, "," + device + ",").find(",5120," + sha + ",on," + word + ",0,"),
              std::string::npos)
        << csv;
  }
}

// The lines of the announcers that ended before the run was killed stay, whole.
TEST(CliDeviceTest, AKilledRunLeavesTheEarlierLogLinesWhole) {
  TempDir dir;
  SimProcess fast({"--interface", "1"}), alsoFast({"--interface", "1"});
  SimProcess slow({"--interface", "1", "--pace"});
  const auto in = (dir / "in.bin").string();
  ASSERT_EQ(SaveMemoryImageFile(in, MakeImage(65536, 256, 64, 1, ""), 65536, 64 * 256, 0),
            ImageFileError::None);
  const auto log = dir / "log.csv";
  const pid_t cli = StartProgram(
      "/bin/sh", {"-c", "exec \"$0\" \"$@\" >/dev/null 2>&1", (BinDir() / "liftvox-cli").string(),
                  "program", in, "--device", fast.DevicePath(), "--device", alsoFast.DevicePath(),
                  "--device", slow.DevicePath(), "--log", log.string()});
  const auto lines = [&] {
    const std::string csv = std::filesystem::exists(log) ? ReadFile(log) : "";
    return std::count(csv.begin(), csv.end(), '\n');
  };
  for (int i = 0; i < 1000 && lines() < 3; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ::kill(cli, SIGKILL);
  ::waitpid(cli, nullptr, 0);
  const std::string csv = ReadFile(log);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3) << csv;
  EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
  EXPECT_EQ(csv.find(slow.DevicePath()), std::string::npos) << "still being programmed";
}

// Ctrl+C: every announcer stops after its page, gets its row and its log
// line, and the exit status says the run did not complete.
TEST(CliDeviceTest, CtrlCStopsEveryAnnouncerAndReportsThem) {
  TempDir dir;
  SimProcess first({"--interface", "1", "--pace"}), second({"--interface", "1", "--pace"});
  const auto in = (dir / "in.bin").string();
  ASSERT_EQ(SaveMemoryImageFile(in, MakeImage(65536, 256, 256, 1, ""), 65536, 65536, 0),
            ImageFileError::None);
  const auto log = dir / "log.csv", out = dir / "out.txt";
  const pid_t cli = StartProgram(
      "/bin/sh", {"-c", "exec \"$0\" \"$@\" >'" + out.string() + "' 2>&1",
                  (BinDir() / "liftvox-cli").string(), "program", in, "--device",
                  first.DevicePath(), "--device", second.DevicePath(), "--log", log.string()});
  for (int i = 0; i < 1000 && !std::filesystem::exists(log); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ::kill(cli, SIGINT);
  int status = 0;
  ::waitpid(cli, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_NE(WEXITSTATUS(status), 0);
  const std::string printed = ReadFile(out), csv = ReadFile(log);
  const std::string table = printed.substr(std::min(printed.find("port "), printed.size()));
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3) << csv;
  for (const auto& device : {first.DevicePath(), second.DevicePath()}) {
    EXPECT_NE(LineWith(table, device).find("stopped"), std::string::npos) << printed;
    EXPECT_NE(LineWith(csv, "," + device + ",").find(",stopped,"), std::string::npos) << csv;
  }
}

// A progress line on a terminal never wraps, nor splits a character.
TEST(CliDeviceTest, ProgressLinesFitTheTerminal) {
  const std::pair<size_t, std::string> cases[] = {{0, "COM1  writing 40%"},
                                                  {18, "COM1  writing 40%"},
                                                  {17, "COM1  writing 40"},
                                                  {8, "COM1  w"}};
  for (const auto& [columns, fitted] : cases)
    EXPECT_EQ(cli::FitToColumns("COM1  writing 40%", columns), fitted) << columns;
  EXPECT_EQ(cli::FitToColumns("/dev/ttyč", 10), "/dev/tty");
}

}  // namespace
}  // namespace liftvox::test
