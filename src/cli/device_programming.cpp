#include "cli/device_programming.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <optional>
#include <thread>

#include "cli/batch_display.h"
#include "cli/terminal.h"
#include "commands/batch_programming.h"
#include "commands/production_log.h"
#include "device/port_table.h"
#include "image/memory_size.h"
#include "lang/language.h"

namespace liftvox::cli {

namespace {

// "about 12.2 minutes": tenths without the locale's decimal point.
std::string Minutes(double seconds) {
  if (seconds < 60) return "under a minute";
  const auto tenths = static_cast<int64_t>(seconds / 6 + 0.5);
  return "about " + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " minutes";
}

std::string VerifyHelp(const std::string& input) {
  std::string help =
      "Read every page back after writing and compare it with the image (a run that needed a "
      "retry is read back anyway). This doubles the time: ";
  try {
    const ProgramImage image = LoadImageFileToProgram(input).ForProgramming();
    return help + "writing " + input + " takes " + Minutes(LineSecondsToProgram(image)) +
           " at 115200 baud, verifying as much again";
  } catch (const std::exception&) {
    // A configuration, or no image at all: the figure for a full memory.
  }
  const int64_t eightMegabytes = MemorySizeFromCode(7);
  const double full = LineSecondsToProgram(ProgramImage{{}, eightMegabytes, eightMegabytes, 0});
  return help + "at 115200 baud writing takes " + Minutes(full / 8) +
         " per MB (a full 8MB memory " + Minutes(full) +
         "), verifying as much again. Give IMAGE.bin before --help for its own figure";
}

// The devices to program: those named, the one behind --port, or a search.
std::vector<std::string> Devices(const DeviceProgramming& options) {
  if (options.port > 0) {
    const std::string path = PortTable::FromSettingOrSystem("").DevicePath(options.port);
    if (path.empty())
      throw CliError("there is no serial port " + PortTable::Name(options.port) +
                     " (liftvox-cli ports lists them)");
    return {path};
  }
  if (options.devices.empty()) return {""};
  return options.devices;
}

}  // namespace

void DeviceProgramming::AddTo(CLI::App& command, CLI::Option& input) {
  auto* portOption =
      command.add_option("--port", port, "Port number N (COMn)")->check(CLI::Range(1, 9));
  command
      .add_option("--device", devices,
                  "Serial device path; repeat it to program several announcers at once")
      ->allow_extra_args(false)
      ->excludes(portOption);
  command.add_flag("--yes", yes, "Program even when the interface differs");
  command
      .add_option("--max-retries", maxRetries,
                  "Failed page attempts to accept in the run of each announcer; checked where the "
                  "program would ask, at every fifth retry of a page")
      ->check(CLI::NonNegativeNumber);
  auto* verifyOption = command.add_flag("--verify", verify, VerifyHelp(""));
  // Options are taken before help is shown, so the help can name the image's
  // own time; a run that is no call for help does not read the image for it.
  const CLI::Option* help = command.get_help_ptr();
  input.each([verifyOption, help](const std::string& file) {
    if (help && help->count() > 0) verifyOption->description(VerifyHelp(file));
  });
  command.add_option("--log", log,
                     "Production log (CSV): one line appended per announcer as it ends");
}

std::string TransferFailureText(const TransferResult& result, const std::string& warning) {
  if (!warning.empty()) return warning;
  switch (result.outcome) {
    case TransferOutcome::InterfaceDeclined:
      return "the announcer is set to another interface; --yes programs anyway";
    case TransferOutcome::Abandoned:
      return "communication failed after " + std::to_string(result.errors) + " failed attempts (" +
             std::to_string(result.pagesDone) + " of " + std::to_string(result.pages) +
             " pages done)";
    case TransferOutcome::Stopped:
      return "stopped";
    default:
      return "the announcer refused the transfer";
  }
}

void ProgramDevices(const CliContext& context, ImageToProgram image,
                    const DeviceProgramming& options) {
  const std::vector<std::string> devices = Devices(options);
  // Caught before the log starts: once it has its header, Ctrl+C stops.
  const InterruptCatcher interrupt;
  std::optional<ProductionLog> log;
  if (!options.log.empty()) log.emplace(options.log);
  TLanguage language;
  language.SetLanguageFile(context.LanguageFile());
  const int64_t usedSize = image.usedSize;
  BatchSetup setup{std::make_shared<const ImageToProgram>(std::move(image)),
                   options.verify,
                   options.yes,
                   options.maxRetries,
                   LoadInterfaces(context.dataDir / "Interfaces.ini"),
                   log ? &*log : nullptr};
  BatchDisplay display(std::cerr, StderrIsTerminal(), devices.size(), &StderrColumns);
  BatchProgramming batch(devices, std::move(setup), language, display);
  // Ctrl+C stops every announcer after its current page; each still gets its
  // log line and its row.
  const auto ended = [&batch] {
    const auto statuses = batch.Statuses();
    return std::all_of(statuses.begin(), statuses.end(), [](const auto& s) { return s.Ended(); });
  };
  while (!ended()) {
    if (interrupt.Interrupted()) batch.RequestStop();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const std::vector<BatchDeviceStatus> statuses = batch.Wait();
  if (batch.LogFailed())
    std::cerr << "a line could not be appended to the log " << options.log.string() << '\n';

  const auto failed = std::count_if(statuses.begin(), statuses.end(), [](const auto& status) {
    return status.result.outcome != TransferOutcome::Completed;
  });
  if (statuses.size() == 1 && !interrupt.Interrupted()) {
    const BatchDeviceStatus& status = statuses.front();
    if (failed > 0) throw CliError(TransferFailureText(status.result, status.message));
    std::cerr << "programmed " << usedSize << " bytes on " << status.port
              << (options.verify ? " and verified them" : "") << '\n';
  } else {
    PrintBatchTable(std::cout, statuses);
    for (const auto& status : statuses) {
      if (status.result.outcome != TransferOutcome::Completed)
        std::cerr << status.Where() << ": " << TransferFailureText(status.result, status.message)
                  << '\n';
    }
    if (failed > 0)
      throw CliError(std::to_string(failed) + " of " + std::to_string(statuses.size()) +
                     " announcers failed");
  }
  if (batch.LogFailed()) throw CliError("the log " + options.log.string() + " is incomplete");
}

}  // namespace liftvox::cli
