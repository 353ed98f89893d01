#include "cli/cli_context.h"

namespace liftvox::cli {

void AddDeviceCommands(CLI::App&, CliContext&) {}

}  // namespace liftvox::cli
