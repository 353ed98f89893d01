// A newcomer's first run: the shipped wizard files alone give a bilingual
// announcer that builds and says each floor in the languages switched on.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <vector>

#include "audio/wave_stream.h"
#include "support/program_runner.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

std::vector<uint8_t> Frames(const std::filesystem::path& wav) {
  TFileWaveStream stream(wav);
  std::vector<uint8_t> frames(static_cast<std::size_t>(stream.FrameCount()));
  frames.resize(
      static_cast<std::size_t>(stream.Read(frames.data(), static_cast<int32_t>(frames.size()))));
  return frames;
}

TEST(ShippedWizardTest, ThreeLanguagesBuildForOneMegabyteAndPlayBySwitch) {
  TempDir dir;
  const std::string config = (dir / "wizard.cfg").string();
  const CliResult wizard = RunCli({"wizard", "--language", "Čeština", "--language", "English",
                                   "--language", "Deutsch", "--floors", "24", "-o", config});
  ASSERT_EQ(wizard.exitCode, 0) << wizard.err;

  const CliResult check = RunCli({"check", config, "--json"});
  ASSERT_EQ(check.exitCode, 0) << check.err;
  const nlohmann::json sequences = nlohmann::json::parse(check.out)["sequences"];
  ASSERT_EQ(sequences.size(), 7u + 24u);
  int ground = -1;
  for (std::size_t i = 0; i < sequences.size(); ++i)
    if (sequences[i]["name"] == "Přízemí") ground = static_cast<int>(i);
  ASSERT_GE(ground, 0);

  const CliResult build =
      RunCli({"build", config, "--memory", "1MB", "-o", (dir / "image.bin").string()});
  EXPECT_EQ(build.exitCode, 0) << build.err;

  // Switches 4 (Czech) and 5 (English) ON, 6 (German) OFF.
  const auto rendered = dir / "ground.wav";
  const CliResult render = RunCli({"render", config, "--sequence", std::to_string(ground), "--dil",
                                   "0x18", "-o", rendered.string()});
  ASSERT_EQ(render.exitCode, 0) << render.err;
  std::vector<uint8_t> expected = Frames(BinDir() / "Languages" / "cs" / "floor0.wav");
  expected.insert(expected.end(), 7228, 128);  // 500 ms between the languages
  const std::vector<uint8_t> english = Frames(BinDir() / "Languages" / "en" / "floor0.wav");
  expected.insert(expected.end(), english.begin(), english.end());
  EXPECT_TRUE(Frames(rendered) == expected) << "the Czech and the English ground floor, apart";
}

}  // namespace
}  // namespace liftvox::test
