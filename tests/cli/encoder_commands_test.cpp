// The commands that choose an encoder or edit a recording, run as a user
// runs them, against the core they stand on.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/convert.h"
#include "support/program_runner.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

TEST(EncoderCommandsTest, RenderPlaysWhatTheBuiltImageHoldsAndConvertEdits) {
  TempDir dir;
  std::filesystem::copy_file(TestDataDir() / "image" / "speech_u8_14456.wav", dir / "speech.wav");
  const std::string config = (dir / "one.cfg").string();
  WriteFile(config,
            "[/DIL]\r\nCZ=2056,CZ.BMP\r\n[0]\r\nCode=5\r\nName=one\r\nFile0=speech.wav\r\n");
  const auto run = [](const std::vector<std::string>& arguments) {
    const CliResult result = RunCli(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.err;
  };
  const std::string image = (dir / "best.bin").string();
  // Piped, the build says only its result: progress is for a terminal.
  EXPECT_EQ(
      run({"build", config, "--memory", "1MB", "--no-config", "--encoder", "best", "-o", image}),
      "Built 24 kB of 1MB\n");
  run({"extract", image, "-o", (dir / "extracted").string()});
  const std::string rendered = (dir / "rendered.wav").string();
  run({"render", config, "--sequence", "0", "--encoder", "best", "-o", rendered});
  const auto extracted = std::filesystem::directory_iterator(dir / "extracted")->path();
  EXPECT_EQ(ReadFile(rendered), ReadFile(extracted));
  run({"render", config, "--sequence", "0", "-o", rendered});
  EXPECT_NE(ReadFile(rendered), ReadFile(extracted)) << "without an encoder: the recording";

  run({"convert", (dir / "speech.wav").string(), "-o", (dir / "cli.wav").string(), "--trim",
       "--normalise"});
  ConvertRecording(dir / "speech.wav", dir / "core.wav", {},
                   {.trimSilence = true, .normalise = true});
  EXPECT_EQ(ReadFile(dir / "cli.wav"), ReadFile(dir / "core.wav"));
  EXPECT_NE(RunCli({"build", config, "--memory", "1MB", "--encoder", "fast", "-o", image}).exitCode,
            0);
}

}  // namespace
}  // namespace liftvox::test
