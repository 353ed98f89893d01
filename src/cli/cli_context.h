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
// Interfaces.ini) lives. Defaults to the executable's folder; --data overrides.
struct CliContext {
  std::filesystem::path dataDir;
};

// Each group of subcommands lives in its own file.
void AddConfigCommands(CLI::App& app, CliContext& context);
void AddImageCommands(CLI::App& app, CliContext& context);
void AddDeviceCommands(CLI::App& app, CliContext& context);

}  // namespace liftvox::cli
