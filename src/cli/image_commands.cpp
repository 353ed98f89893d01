#include "cli/cli_context.h"

namespace liftvox::cli {

void AddImageCommands(CLI::App&, CliContext&) {}

}  // namespace liftvox::cli
