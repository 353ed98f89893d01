#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/program_runner.h"
#include "support/test_support.h"
#include "support/wave_files.h"

namespace liftvox::test {
namespace {

class ConfigCommandsTest : public ::testing::Test {
 protected:
  nlohmann::json CheckJson(const std::filesystem::path& config) {
    const CliResult result = RunCli({"check", config.string(), "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return nlohmann::json::parse(result.out);
  }
  TempDir dir;
};

TEST_F(ConfigCommandsTest, NewWritesTheDefaultConfigurationThatCheckReads) {
  const auto config = dir / "new.cfg";
  ASSERT_EQ(RunCli({"new", "-o", config.string()}).exitCode, 0);
  // The documented shape, keys in their documented order; what a new
  // configuration holds is the document's test.
  const std::string raw = RunCli({"check", config.string(), "--json"}).out;
  EXPECT_EQ(raw.rfind(R"({"parPlayInv":false,"serPlayInv":false,"dil":[{"name":"DIL","pattern":0,)"
                      R"("icon":"CZ.BMP"}],"sequences":[{"name":"Výtah jede nahoru","code":4096,)"
                      R"("pin":3,"bit":0,"priority":0,"floor":false,"invParBit":false,)"
                      R"("invSerBit":false,"repeat":255,"samples":[]},)",
                      0),
            0u)
      << raw;

  const CliResult text = RunCli({"check", config.string()});
  EXPECT_NE(text.out.find("Problems: none"), std::string::npos) << text.out;
}

TEST_F(ConfigCommandsTest, CheckReportsProblemsAndRelativeSamplesFromItsOwnFolder) {
  WritePcmWav(dir / "Zvuky" / "ok.wav", std::vector<std::uint8_t>(10, 128));
  WriteFile(
      dir / "problems.cfg",
      "[/DIL]\r\nCZ=2056,CZ.BMP\r\n"
      "[0]\r\nCode=5\r\nName=first\r\nFile0=Zvuky\\ok.wav\r\nFile1=Zvuky\\gone.wav\r\nDIL1=4\r\n"
      "[1]\r\nCode=5\r\nName=second\r\nPin=2\r\n[2]\r\nPin=2\r\nName=third\r\n");
  const CliResult result = RunCli({"check", (dir / "problems.cfg").string()});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("missing WAV file"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("gone.wav"), std::string::npos);
  EXPECT_EQ(result.out.find("ok.wav\n"), std::string::npos) << "ok.wav exists beside the file";
  EXPECT_NE(result.out.find("input 2 is used by both \"second\" and \"third\""), std::string::npos);
  EXPECT_NE(result.out.find("refers to DIL entry 4"), std::string::npos);
  EXPECT_EQ(result.out.find("code 00000101 = 5"), std::string::npos)
      << "code 5 is on a pin in \"second\"";
}

// Nothing read is changed or left out without a word: warnings on stderr,
// problems in the summary, and a note when such a configuration is written.
TEST_F(ConfigCommandsTest, WhatReadingCutOrClampedIsWarnedListedAndNotedWhenWritten) {
  WriteFile(dir / "notes.txt", "not a recording");
  std::string text =
      "[/DIL]\r\nCZ=2056,CZ.BMP\r\n[0]\r\nName=long\r\nFile0=Ticho\r\n"
      "Silence0=1\r\nSamples0=-1\r\n";
  for (int j = 1; j <= 4094; ++j) text += "File" + std::to_string(j) + "=notes.txt\r\n";
  const std::string over = (dir / "over.cfg").string();
  WriteFile(over, text);
  const CliResult check = RunCli({"check", over});
  ASSERT_EQ(check.exitCode, 0) << check.err;
  EXPECT_NE(check.out.find("Problems: 3\n"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("zbytek nebyl načten u sekvencí \"long\""), std::string::npos);
  EXPECT_NE(check.out.find("not a readable WAV file: " + (dir / "notes.txt").string()),
            std::string::npos);
  EXPECT_NE(check.err.find("warning: Ticho může trvat 1 až 1445586 vzorků"), std::string::npos)
      << check.err;

  const CliResult recode = RunCli({"recode", over, "-o", over});
  EXPECT_EQ(recode.exitCode, 0);
  EXPECT_NE(recode.err.find(over + " holds the configuration as the warnings above left it"),
            std::string::npos)
      << recode.err;
}

TEST_F(ConfigCommandsTest, UnreadableConfigurationsFail) {
  CliResult missing = RunCli({"check", (dir / "missing.cfg").string()});
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_EQ(missing.err.rfind("error: ", 0), 0u) << missing.err;

  // Why a file cannot be read is the reader's own test.

  EXPECT_NE(RunCli({"new", "-o", (dir / "no" / "such" / "dir.cfg").string()}).exitCode, 0);
}

TEST_F(ConfigCommandsTest, WizardAndRecodeProduceTheExpectedCodes) {
  WriteFile(dir / "cz.wiz",
            "[/PLAYER]\r\nLanguage=Czech\r\n[0]\r\nFile0=ground.wav\r\nSamples0=50\r\n"
            "[/DIL]\r\nCZ=2056,CZ.BMP\r\n");
  const auto config = dir / "wizard.cfg";
  CliResult wizard =
      RunCli({"wizard", "--language", (dir / "cz.wiz").string(), "--floors", "4", "--lowest", "-1",
              "--special", "up,down", "--gray", "-o", config.string()});
  ASSERT_EQ(wizard.exitCode, 0) << wizard.err;
  nlohmann::json json = CheckJson(config);
  ASSERT_EQ(json["sequences"].size(), 6u);
  const int upCode = json["sequences"][0]["code"];
  EXPECT_EQ(json["sequences"][0]["pin"], 3);
  EXPECT_EQ(json["sequences"][3]["name"], "Přízemí");
  EXPECT_EQ(json["sequences"][3]["code"], 1);
  EXPECT_EQ(json["sequences"][5]["code"], 2) << "Gray code of position 3";
  EXPECT_EQ(json["sequences"][3]["samples"][0]["samples"], 50);
  EXPECT_EQ(json["dil"][0]["name"], "CZ");

  const auto recoded = dir / "recoded.cfg";
  ASSERT_EQ(RunCli({"recode", config.string(), "--inverted", "--floor-start", "10", "-o",
                    recoded.string()})
                .exitCode,
            0);
  json = CheckJson(recoded);
  EXPECT_EQ(json["sequences"][2]["code"], 255 - 10);
  EXPECT_EQ(json["sequences"][5]["code"], 255 - 13);
  EXPECT_EQ(json["sequences"][0]["code"], upCode) << "sequences on an input keep their code";

  EXPECT_NE(RunCli({"wizard", "--special", "sideways", "-o", config.string()}).exitCode, 0);
  EXPECT_NE(RunCli({"wizard", "--special", "up,up", "-o", config.string()}).exitCode, 0);
  EXPECT_NE(RunCli({"wizard", "--floors", "250", "-o", config.string()}).exitCode, 0);
  EXPECT_NE(RunCli({"wizard", "--language", "nope.wiz", "-o", config.string()}).exitCode, 0);
}

TEST_F(ConfigCommandsTest, RelinkNamesTheFilesFoundKeepsItsInputAndFailsWhileAnyIsAmbiguous) {
  WriteFile(dir / "lift" / "Hlasky" / "CS" / "Patro1.wav", "RIFF");
  WriteFile(dir / "moved" / "CS" / "gong.wav", "RIFF");
  const std::string input =
      "[0]\r\nFile0=C:\\x\\Hlasky\\CS\\PATRO1.WAV\r\nFile1=C:\\x\\CS\\GONG.WAV\r\n";
  const std::string config = (dir / "lift" / "in.cfg").string(), out = (dir / "out.cfg").string();
  WriteFile(config, input);
  EXPECT_EQ(CheckJson(config)["recordings"][0]["state"], "foundElsewhere");
  const std::vector<std::string> relink = {"relink", config, "--search", (dir / "moved").string(),
                                           "-o",     out};
  CliResult result = RunCli(relink);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadFile(config), input);
  EXPECT_NE(
      result.out.find("C:\\x\\CS\\GONG.WAV -> " + (dir / "moved" / "CS" / "gong.wav").string()),
      std::string::npos)
      << result.out;
  EXPECT_EQ(CheckJson(out)["recordings"].size(), 0u) << "every file named as it is found";

  WriteFile(dir / "moved" / "old" / "CS" / "gong.wav", "RIFF");
  result = RunCli(relink);
  EXPECT_NE(result.exitCode, 0);
  EXPECT_NE(result.out.find("ambiguous C:\\x\\CS\\GONG.WAV"), std::string::npos) << result.out;
  EXPECT_NE(RunCli({"relink", config, "--search", dir.path().string(), "-o", config}).exitCode, 0);
  EXPECT_EQ(ReadFile(config), input);
}

}  // namespace
}  // namespace liftvox::test
