#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace CLI {
class App;
}

namespace liftvox::cli {

// A failure the command line reports as "error: <what>" with exit code 1.
class CliError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What every command shares: where the shipped data (Languages, Icons,
// Interfaces.ini) lives (FindDataDirectory: --data, else beside the
// executable, else ../share/liftvox), and the language the messages are in.
struct CliContext {
  std::filesystem::path dataDir;
  std::string language;  // --language; empty for the environment's

  // The language file for the messages; throws CliError when --language
  // names none (see ChooseLanguageFile).
  std::filesystem::path LanguageFile() const;
};

// Each group of subcommands lives in its own file.
void AddConfigCommands(CLI::App& app, CliContext& context);
void AddImageCommands(CLI::App& app, CliContext& context);
void AddDeviceCommands(CLI::App& app, CliContext& context);

}  // namespace liftvox::cli
