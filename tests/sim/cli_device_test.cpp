#include <gtest/gtest.h>

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

  ASSERT_EQ(RunCli({"program", in, "--device", device}).exitCode, 0);
  ASSERT_EQ(RunCli({"read", "-o", (dir / "out.bin").string(), "--device", device}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir / "out.bin"), ReadFile(in));
  ASSERT_EQ(RunCli({"read-config", "-o", (dir / "out.cfg").string(), "--device", device}).exitCode,
            0);
  EXPECT_EQ(ReadFile(dir / "out.cfg"), configuration);
  const CliResult info = RunCli({"info", "--device", device});
  EXPECT_EQ(info.exitCode, 0);
  EXPECT_NE(info.out.find("firmware: 3.4"), std::string::npos) << info.out;

  // A configuration is built into an image on the way; its text comes back.
  WriteFile(dir / "c.cfg", "[/GENERAL]\r\nVersion=2.00\r\n[0]\r\nCode=3\r\nName=Lift\r\n");
  ASSERT_EQ(
      RunCli({"program", (dir / "c.cfg").string(), "--memory", "64kB", "--yes", "--device", device})
          .exitCode,
      0);
  ASSERT_EQ(RunCli({"read-config", "-o", (dir / "back.cfg").string(), "--device", device}).exitCode,
            0);
  EXPECT_NE(ReadFile(dir / "back.cfg").find("Name=Lift\r\n"), std::string::npos);
}

TEST(CliDeviceTest, RefusalsExitWithAnError) {
  TempDir dir;
  SimProcess sim({"--memory", "1", "--interface", "5"});
  const std::string device = sim.DevicePath();
  auto image = MakeImage(65536, 256, 3, 1, "");
  const auto in = (dir / "in.bin").string();
  ASSERT_EQ(SaveMemoryImageFile(in, image, 65536, 3 * 256, 0), ImageFileError::None);
  CliResult result = RunCli({"program", in, "--device", device});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("Data byla sestavena pro paměť 65536"), std::string::npos);

  const auto config = (dir / "c.cfg").string();
  WriteFile(config, "[General]\r\n");
  result = RunCli({"program", config, "--memory", "64kB", "--device", device});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("Data byla sestavena pro paměť 65536"), std::string::npos)
      << "a configuration built for 64 kB meets the same check";
  result = RunCli({"program", config, "--device", device});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("--memory"), std::string::npos);
  EXPECT_EQ(RunCli({"info", "--device", "/nonexistent/tty"}).exitCode, 1);

  // The device jobs speak the user's language too.
  result = RunCli({"program", in, "--device", device}, {"LANG=en_US.UTF-8"});
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

}  // namespace
}  // namespace liftvox::test
