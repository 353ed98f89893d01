#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "commands/image_for_device.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace liftvox::cli {

// The device side of `program`: which announcers, the answers to the run's
// questions, verifying and the production log.
struct DeviceProgramming {
  int port = 0;
  std::vector<std::string> devices;
  bool yes = false;
  int maxRetries = 25;
  bool verify = false;
  std::filesystem::path log;

  // Adds --port, --device (repeatable), --yes, --max-retries, --verify and
  // --log. `input` is the image option: once it is given, --verify's help
  // names the time that image takes.
  void AddTo(CLI::App& command, CLI::Option& input);
};

// Programs `image` into every announcer named, all at once (one worker per
// device), with progress on stderr. One device ends as a single run always
// did: a line saying what was programmed, or the reason as the error. Several
// end with a table on stdout and each failure's reason on stderr. Throws
// CliError when any device failed or a log line could not be written.
void ProgramDevices(const CliContext& context, ImageToProgram image,
                    const DeviceProgramming& options);

// Why a transfer that did not complete failed: the run's first warning when
// it showed one, else a text for its outcome.
std::string TransferFailureText(const TransferResult& result, const std::string& warning);

}  // namespace liftvox::cli
