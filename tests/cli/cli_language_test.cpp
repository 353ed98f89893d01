#include <gtest/gtest.h>

#include "support/program_runner.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

// The core's messages reach the user in the language of --language, else of
// the environment's locale; the command line's own "error:" stays English.
TEST(CliLanguageTest, CoreMessagesFollowTheOptionElseTheEnvironment) {
  TempDir dir;
  const std::string unwritable = (dir / "no" / "such" / "folder.cfg").string();
  const auto ownCopy = dir / "own.lng";
  WriteFile(ownCopy, ReadFile(BinDir() / "Languages" / "Deutsch.lng"));
  const std::string czech = "error: Do souboru ";
  const std::string german = "error: In die Datei ";
  const std::string english = "error: The file ";
  struct Case {
    std::vector<std::string> locale;
    std::vector<std::string> options;
    std::string expected;
  };
  const Case cases[] = {
      {{"LANG=cs_CZ.UTF-8"}, {}, czech},
      {{"LANG=de_AT.UTF-8"}, {}, german},
      {{"LANG=en_GB.UTF-8"}, {}, english},
      {{"LANG=C.UTF-8"}, {}, english},
      {{}, {}, english},
      {{"LANG=de_DE.UTF-8", "LC_MESSAGES=cs_CZ.UTF-8"}, {}, czech},
      {{"LC_ALL=de_DE", "LC_MESSAGES=cs_CZ.UTF-8"}, {}, german},
      {{"LC_ALL=", "LANG=cs_CZ"}, {}, czech},
      {{"LANG=cs_CZ.UTF-8"}, {"--language", "English"}, english},
      {{"LANG=en_US.UTF-8"}, {"--language", "deutsch.LNG"}, german},
      {{"LANG=cs_CZ.UTF-8"}, {"--language", ownCopy.string()}, german},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = c.options;
    arguments.insert(arguments.end(), {"new", "-o", unwritable});
    const CliResult result = RunCli(arguments, c.locale);
    SCOPED_TRACE(testing::PrintToString(c.locale) + " " + testing::PrintToString(c.options));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.rfind(c.expected, 0), 0u) << result.err;
  }

  const CliResult unknown = RunCli({"--language", "Klingon", "new", "-o", unwritable});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_EQ(unknown.err.rfind("error: no language file Klingon", 0), 0u) << unknown.err;
}

}  // namespace
}  // namespace liftvox::test
