#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "image/image_file.h"
#include "sim/sim_fixture.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

// Runs liftvox-cli with `arguments`; the exit code, stderr in `errors`.
int Cli(const std::string& arguments, const TempDir& dir, std::string* errors = nullptr) {
  const auto errorFile = dir / "stderr.txt";
  const std::string command = (BinDir() / "liftvox-cli").string() + " " + arguments + " > " +
                              (dir / "stdout.txt").string() + " 2> " + errorFile.string();
  const int status = std::system(command.c_str());
  if (errors) *errors = ReadFile(errorFile);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CliDeviceTest, ProgramReadAndReadConfigRoundTrip) {
  TempDir dir;
  SimProcess sim({"--interface", "1"});
  const std::string device = " --device " + sim.DevicePath();
  const std::string configuration = "[General]\r\nVersion=2.00\r\n";
  auto image = MakeImage(65536, 256, 6, 1, configuration);
  ASSERT_EQ(SaveMemoryImageFile(dir / "in.bin", image, 65536, 6 * 256, 0), ImageFileError::None);

  ASSERT_EQ(Cli("program " + (dir / "in.bin").string() + device, dir), 0);
  ASSERT_EQ(Cli("read -o " + (dir / "out.bin").string() + device, dir), 0);
  EXPECT_EQ(ReadFile(dir / "out.bin"), ReadFile(dir / "in.bin"));
  ASSERT_EQ(Cli("read-config -o " + (dir / "out.cfg").string() + device, dir), 0);
  EXPECT_EQ(ReadFile(dir / "out.cfg"), configuration);
  EXPECT_EQ(Cli("info" + device, dir), 0);
  EXPECT_NE(ReadFile(dir / "stdout.txt").find("firmware: 3.4"), std::string::npos);

  // A configuration is built into an image on the way; its text comes back.
  WriteFile(dir / "c.cfg", "[/GENERAL]\r\nVersion=2.00\r\n[0]\r\nCode=3\r\nName=Lift\r\n");
  ASSERT_EQ(Cli("program " + (dir / "c.cfg").string() + " --memory 64kB --yes" + device, dir), 0);
  ASSERT_EQ(Cli("read-config -o " + (dir / "back.cfg").string() + device, dir), 0);
  EXPECT_NE(ReadFile(dir / "back.cfg").find("Name=Lift\r\n"), std::string::npos);
}

TEST(CliDeviceTest, RefusalsExitWithAnError) {
  TempDir dir;
  SimProcess sim({"--memory", "1", "--interface", "5"});
  const std::string device = " --device " + sim.DevicePath();
  auto image = MakeImage(65536, 256, 3, 1, "");
  ASSERT_EQ(SaveMemoryImageFile(dir / "in.bin", image, 65536, 3 * 256, 0), ImageFileError::None);
  std::string errors;
  EXPECT_EQ(Cli("program " + (dir / "in.bin").string() + device, dir, &errors), 1);
  EXPECT_NE(errors.find("Data byla sestavena pro paměť 65536"), std::string::npos);

  WriteFile(dir / "c.cfg", "[General]\r\n");
  EXPECT_EQ(Cli("program " + (dir / "c.cfg").string() + " --memory 64kB" + device, dir, &errors),
            1);
  EXPECT_NE(errors.find("Data byla sestavena pro paměť 65536"), std::string::npos)
      << "a configuration built for 64 kB meets the same check";
  EXPECT_EQ(Cli("program " + (dir / "c.cfg").string() + device, dir, &errors), 1);
  EXPECT_NE(errors.find("--memory"), std::string::npos);
  EXPECT_EQ(Cli("info --device /nonexistent/tty", dir), 1);
}

}  // namespace
}  // namespace liftvox::test
