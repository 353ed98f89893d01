#include "cli/cli_context.h"

namespace liftvox::cli {

void AddConfigCommands(CLI::App&, CliContext&) {}

}  // namespace liftvox::cli
