#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cctype>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/cli_context.h"
#include "cli/cli_document.h"
#include "cli/device_programming.h"
#include "cli/json_output.h"
#include "cli/terminal.h"
#include "commands/image_for_device.h"
#include "config/file_io.h"
#include "device/announcer_session.h"
#include "device/firmware_upload.h"
#include "device/intel_hex.h"
#include "device/memory_transfer.h"
#include "device/rs232_interface.h"
#include "image/image_builder.h"
#include "image/image_file.h"
#include "image/memory_size.h"
#include "lang/interfaces_list.h"
#include "lang/language.h"

namespace liftvox::cli {

namespace {

// Where the announcer is: --port N, --device PATH, or a search of ports 1..4.
struct PortOptions {
  int port = 0;
  std::string device;

  void AddTo(CLI::App& command) {
    auto* portOption =
        command.add_option("--port", port, "Port number N (COMn)")->check(CLI::Range(1, 9));
    command.add_option("--device", device, "Serial device path")->excludes(portOption);
  }

  DeviceSettings Settings() const {
    DeviceSettings settings;
    settings.autoMemory = true;
    if (!device.empty()) {
      settings.portList = device;
      settings.autoPort = false;
      settings.fixedPort = "COM1";
    } else if (port > 0) {
      settings.autoPort = false;
      settings.fixedPort = PortTable::Name(port);
    }
    return settings;
  }
};

// Everything a device command talks through.
struct DeviceLink {
  DeviceLink(const PortOptions& options, const CliContext& context)
      : settings(options.Settings()),
        port(settings.Ports()),
        session(port, settings, language, LoadInterfaces(context.dataDir / "Interfaces.ini")) {
    language.SetLanguageFile(context.LanguageFile());
  }

  DeviceSettings settings;
  TLanguage language;
  RS232Interface port;
  AnnouncerSession session;
};

// The command line's side of a device job: progress on stderr when it is a
// terminal, questions answered by flags, the first warning kept for the error.
class CliDeviceJob final : public Prompter, public DeviceJobObserver {
 public:
  CliDeviceJob(bool yes, int maxRetries)
      : yes_(yes), maxRetries_(maxRetries), terminal_(StderrIsTerminal()) {}
  ~CliDeviceJob() override {
    if (terminal_ && shownProgress_) std::cerr << '\n';
  }

  void PortChanged(const std::string& label) override { port_ = label; }
  void ProgressChanged(int percent, const std::string& text) override {
    if (!terminal_ || text.empty()) return;
    std::cerr << "\r" << port_ << "  " << text << "  " << percent << "%   " << std::flush;
    shownProgress_ = true;
  }
  void ErrorCountChanged(int count) override { errors_ = count; }
  void StatusChanged(StatusPanel, const std::string&) override {}
  bool StopRequested() override { return false; }

  void Inform(const Message&) override {}
  void Warn(const Message& message) override {
    if (warning_.empty()) warning_ = message.text;
  }
  Answer AskYesNo(const Message& message) override {
    if (message.key == "CommunicationError") {
      return errors_ < maxRetries_ ? Answer::Yes : Answer::No;
    }
    if (!yes_) std::cerr << message.text << " (no; --yes answers yes)\n";
    return yes_ ? Answer::Yes : Answer::No;
  }
  Answer AskYesNoCancel(const Message& message) override { return AskYesNo(message); }

  const std::string& Warning() const { return warning_; }
  const std::string& PortLabel() const { return port_; }

 private:
  bool yes_;
  int maxRetries_;
  bool terminal_;
  bool shownProgress_ = false;
  int errors_ = 0;
  std::string port_;
  std::string warning_;
};

// The first warning the job showed, else `fallback`; `detail` is added either way.
[[noreturn]] void Fail(const CliDeviceJob& job, const std::string& fallback,
                       const std::string& detail = "") {
  throw CliError((job.Warning().empty() ? fallback : job.Warning()) + detail);
}

void CheckTransfer(const TransferResult& result, const CliDeviceJob& job) {
  if (result.outcome != TransferOutcome::Completed)
    throw CliError(TransferFailureText(result, job.Warning()));
}

// Every name whose extension is not .cfg (any case) is taken for an image.
bool HasConfigurationExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return extension == ".CFG";
}

void Ports() {
  const auto table = PortTable::FromSettingOrSystem("");
  if (table.Devices().empty()) {
    std::cout << "no serial ports found (set LIFTVOX_PORTS to list them)\n";
    return;
  }
  for (size_t i = 0; i < table.Devices().size(); ++i) {
    const int number = static_cast<int>(i + 1);
    std::cout << number << '\t' << PortTable::Name(number) << '\t' << table.DevicePath(number)
              << '\n';
  }
}

void Info(const PortOptions& options, const CliContext& context, bool json) {
  DeviceLink link(options, context);
  CliDeviceJob job(false, 0);
  const auto labels = ReadHardwareProperties(link.session, job, job);
  if (!labels.info) Fail(job, labels.hardwareVersion);
  const AnnouncerInfo& info = *labels.info;
  const auto interfaceNumber = info.InterfaceNumber();
  const std::string interfaceName =
      interfaceNumber ? link.session.InterfaceName(*interfaceNumber) : std::string();
  if (json) {
    PrintJson(
        [&] {
          nlohmann::json out = {{"port", labels.port},
                                {"firmware", labels.softwareVersion},
                                {"hardware", info.HardwareVersion()},
                                {"memory", labels.memorySize},
                                {"memoryCode", info.MemoryCode()}};
          if (interfaceNumber)
            out["interface"] = {{"name", interfaceName}, {"number", *interfaceNumber}};
          return out;
        },
        2);
    return;
  }
  std::cout << "port: " << labels.port << '\n'
            << "firmware: " << labels.softwareVersion << '\n'
            << "hardware: " << info.HardwareVersion() << '\n'
            << "memory: " << labels.memorySize << '\n';
  if (interfaceNumber)
    std::cout << "interface: " << interfaceName << " (" << *interfaceNumber << ")\n";
}

// What `program` builds a configuration with; an image file brings its own.
struct BuildOptions {
  std::string memory;
  std::optional<int> interfaceNumber;
};

ImageToProgram BuildFromConfiguration(const CliContext& context, const std::filesystem::path& input,
                                      const BuildOptions& options) {
  if (options.memory.empty())
    throw CliError("programming a configuration needs --memory (64kB .. 8MB)");
  ImageSettings settings;
  settings.memorySizeCode = MemorySizeCodeFromText(options.memory);
  if (settings.memorySizeCode < 0) throw CliError("unknown memory size '" + options.memory + "'");
  settings.interfaceCode = static_cast<uint8_t>(options.interfaceNumber.value_or(0));
  CliDocument cli(context);
  ReadConfigurationFile(cli, input);
  auto built = BuildImageToProgram(cli.document, settings);
  if (!built) throw CliError(cli.prompter.TakeLastWarning());
  return std::move(*built);
}

void Program(const DeviceProgramming& devices, const CliContext& context,
             const std::filesystem::path& input, const BuildOptions& build) {
  const bool configuration = HasConfigurationExtension(input);
  if (!configuration && build.interfaceNumber)
    throw CliError(
        "--interface applies to a configuration; an image keeps the interface it was "
        "built for");
  ImageToProgram toProgram =
      configuration ? BuildFromConfiguration(context, input, build) : LoadImageFileToProgram(input);
  ProgramDevices(context, std::move(toProgram), devices);
}

void Read(const PortOptions& options, const CliContext& context,
          const std::filesystem::path& output, int maxRetries, bool configurationOnly) {
  DeviceLink link(options, context);
  CliDeviceJob job(false, maxRetries);
  const int64_t memorySize = link.session.GetMemorySizeFromAnnouncer(job);
  if (memorySize == 0)
    throw CliError(link.session.Translate("SpeakerNotDetected", "Hlásič nebyl nalezen!"));
  const int code = link.session.MemorySizeCode();
  std::vector<uint8_t> image(static_cast<size_t>(memorySize) + 1, 0xFF);
  if (configurationOnly) {
    const auto result = ReadStoredConfiguration(link.session, image, memorySize, job, job);
    CheckTransfer(result, job);
    // The record may end a few bytes past the pages counted as in use; the
    // read covers them, and the lookup checks its own bounds.
    const auto text = result.bytesInUse > 0
                          ? StoredConfigurationText(image, PageSizeForMemory(code))
                          : std::nullopt;
    if (!text) {
      throw CliError(
          link.session.Translate("UnableFindConf", "Hlásič neobsaguje konfigurační data!"));
    }
    if (!WriteFileAtomically(output, *text)) throw CliError("cannot write " + output.string());
    std::cerr << "configuration of " << text->size() << " bytes written to " << output.string()
              << '\n';
    return;
  }
  const auto result = ReadWholeMemory(link.session, image, memorySize, job, job);
  CheckTransfer(result, job);
  if (result.bytesInUse <= 0) throw CliError("nothing usable was read");
  if (SaveMemoryImageFile(output, image, memorySize, result.bytesInUse, code) !=
      ImageFileError::None) {
    throw CliError("cannot write " + output.string());
  }
  std::cerr << result.bytesInUse << " bytes written to " << output.string() << '\n';
}

void Firmware(const PortOptions& options, const CliContext& context,
              const std::filesystem::path& hexFile) {
  // A file that is no firmware is refused before any port is touched.
  FirmwareImage image;
  if (const std::string why = LoadHexFile(hexFile, image); !why.empty()) throw CliError(why);
  DeviceLink link(options, context);
  CliDeviceJob job(false, 0);
  const int port = FirmwarePortChoice(link.session, job);
  const auto result = UploadFirmware(link.session, hexFile, port, job, job);
  if (result.outcome == FirmwareOutcome::UploadError)
    Fail(job, "firmware upload failed", " (" + result.detail + ")");
  if (result.outcome != FirmwareOutcome::Done) Fail(job, "firmware upload failed");
  std::cerr << "firmware written on " << job.PortLabel() << '\n';
}

}  // namespace

void AddDeviceCommands(CLI::App& app, CliContext& context) {
  app.add_subcommand("ports", "List the serial ports by number")->callback(Ports);

  struct Options {
    PortOptions port;
    bool json = false;
    int maxRetries = 25;
    std::filesystem::path input;
    std::filesystem::path output;
    BuildOptions build;
    DeviceProgramming programming;
  };
  auto options = std::make_shared<Options>();

  auto* info = app.add_subcommand("info", "Show the announcer's properties");
  options->port.AddTo(*info);
  info->add_flag("--json", options->json, "Print JSON");
  info->callback([options, &context] { Info(options->port, context, options->json); });

  auto* program = app.add_subcommand("program", "Write a memory image into the announcer");
  auto* input =
      program->add_option("input", options->input, "IMAGE.bin (or CONFIG.cfg with --memory)")
          ->required()
          ->check(CLI::ExistingFile);
  program->add_option("--memory", options->build.memory,
                      "Memory size for a configuration (64kB .. 8MB)");
  program
      ->add_option("--interface", options->build.interfaceNumber,
                   "Interface a configuration is built for (as build takes it)")
      ->check(CLI::Range(0, 255));
  options->programming.AddTo(*program, *input);
  program->callback([options, &context] {
    Program(options->programming, context, options->input, options->build);
  });

  for (const bool configurationOnly : {false, true}) {
    auto* read =
        app.add_subcommand(configurationOnly ? "read-config" : "read",
                           configurationOnly ? "Read the stored configuration into a .cfg file"
                                             : "Read the memory in use into an image file");
    read->add_option("-o,--output", options->output, configurationOnly ? "CONFIG.cfg" : "IMAGE.bin")
        ->required();
    options->port.AddTo(*read);
    read->add_option(
            "--max-retries", options->maxRetries,
            "Failed page attempts to accept in the run; checked at every fifth retry of a page")
        ->check(CLI::NonNegativeNumber);
    read->callback([options, &context, configurationOnly] {
      Read(options->port, context, options->output, options->maxRetries, configurationOnly);
    });
  }

  auto* firmware = app.add_subcommand("firmware", "Upload new firmware from an Intel HEX file");
  firmware->add_option("file", options->input, "FILE.hex")->required()->check(CLI::ExistingFile);
  options->port.AddTo(*firmware);
  firmware->callback([options, &context] { Firmware(options->port, context, options->input); });
}

}  // namespace liftvox::cli
