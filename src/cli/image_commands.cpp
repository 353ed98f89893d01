#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <map>
#include <memory>

#include "audio/convert.h"
#include "audio/preview.h"
#include "audio/wave_error.h"
#include "audio/wave_format.h"
#include "audio/wave_stream.h"
#include "cli/cli_context.h"
#include "cli/cli_document.h"
#include "commands/image_for_device.h"
#include "config/file_io.h"
#include "image/image_builder.h"
#include "image/image_contents.h"
#include "image/image_file.h"
#include "image/memory_size.h"

namespace liftvox::cli {
namespace {

int MemoryCodeFromOption(const std::string& text) {
  const int code = MemorySizeCodeFromText(text);
  if (code < 0) throw CliError("unknown memory size '" + text + "' (64kB .. 8MB)");
  return code;
}

nlohmann::ordered_json InspectionJson(const InspectedImage& image) {
  nlohmann::ordered_json entries = nlohmann::ordered_json::array();
  for (const InspectedEntry& entry : image.entries) {
    nlohmann::ordered_json records = nlohmann::ordered_json::array();
    for (const InspectedRecord& record : entry.records)
      records.push_back({{"page", record.page},
                         {"length", record.length},
                         {"pattern", record.pattern},
                         {"type", record.type}});
    entries.push_back({{"kind", entry.kind},
                       {"value", entry.value},
                       {"priority", entry.priority},
                       {"records", std::move(records)}});
  }
  return {{"memoryCode", image.memoryCode},       {"pageSize", image.pageSize},
          {"dataStartPage", image.dataStartPage}, {"endPage", image.endPage},
          {"entries", std::move(entries)},        {"nonFloorEntries", image.nonFloorEntries},
          {"interface", image.interfaceCode},     {"pinRepeat", image.pinRepeat},
          {"bitRepeat", image.bitRepeat},         {"parallelMasks", image.parallelMasks},
          {"serialMask", image.serialMask},       {"configLength", image.configLength}};
}

void PrintInspection(const InspectedImage& image) {
  std::cout << "Memory " << MemorySizeText(image.memoryCode) << ", pages of " << image.pageSize
            << " bytes; parameters at page " << image.dataStartPage << ", used up to page "
            << image.endPage << " (" << int64_t{image.endPage} * image.pageSize << " bytes)\n";
  std::cout << "Interface " << image.interfaceCode << "; " << image.nonFloorEntries
            << " entries of general sequences\n\nDirectory (" << image.entries.size()
            << " entries):\n";
  for (std::size_t i = 0; i < image.entries.size(); ++i) {
    const InspectedEntry& entry = image.entries[i];
    std::cout << "  " << i << "  " << entry.kind << ' ' << entry.value << "  priority "
              << entry.priority << "  " << entry.records.size() << " records\n";
    for (const InspectedRecord& record : entry.records) {
      if (record.type == 3)
        std::cout << "      silence " << record.length << " samples\n";
      else
        std::cout << "      page " << record.page << "  " << record.length << " samples  pattern 0x"
                  << std::hex << record.pattern << std::dec << '\n';
    }
  }
  std::cout << "\nConfiguration stored: "
            << (image.configText ? std::to_string(image.configText->size()) + " bytes" : "no")
            << '\n';
}

void AddBuildCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand("build", "Build a memory image file from a configuration");
  struct Options {
    std::filesystem::path input, output;
    std::string memory;
    int interfaceNumber = 0;
    bool noConfig = false;
  };
  auto options = std::make_shared<Options>();
  command->add_option("config", options->input, "Configuration file (.cfg)")->required();
  command->add_option("--memory", options->memory, "Memory size: 64kB .. 8MB")->required();
  command->add_option("--interface", options->interfaceNumber, "Interface the image is built for")
      ->check(CLI::Range(0, 255));
  command->add_flag("--no-config", options->noConfig, "Do not store the configuration text");
  command->add_option("-o,--output", options->output, "Image file to write")->required();
  command->callback([&context, options] {
    ImageSettings settings;
    settings.memorySizeCode = MemoryCodeFromOption(options->memory);
    settings.interfaceCode = static_cast<uint8_t>(options->interfaceNumber);
    settings.setupToFlash = !options->noConfig;
    CliDocument cli(context);
    ReadConfigurationFile(cli, options->input);
    const int32_t used = SestavPamet(cli.document, settings);
    if (used <= 0) throw CliError(cli.prompter.lastWarning);
    const auto error = SaveMemoryImageFile(options->output, cli.document.Image,
                                           cli.document.MemorySize, used, settings.memorySizeCode);
    if (error != ImageFileError::None) throw CliError("cannot write " + options->output.string());
    std::cerr << "Built " << used / 1024 << " kB of " << MemorySizeText(settings.memorySizeCode)
              << '\n';
  });
}

void AddInspectCommand(CLI::App& app) {
  auto* command = app.add_subcommand("inspect", "Show the structure of a memory image file");
  struct Options {
    std::filesystem::path input;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  command->add_option("image", options->input, "Image file (.bin)")->required();
  command->add_flag("--json", options->json, "Print as JSON");
  command->callback([options] {
    const SavedImageFile file = ReadSavedImageFile(options->input);
    try {
      const InspectedImage image = InspectImage(file.image, file.memoryCode);
      if (options->json)
        std::cout << InspectionJson(image).dump() << '\n';
      else
        PrintInspection(image);
    } catch (const ImageFormatError& error) {
      throw CliError(options->input.string() + ": " + error.what());
    }
  });
}

void AddExtractCommand(CLI::App& app) {
  auto* command = app.add_subcommand("extract", "Decode the samples and configuration of an image");
  struct Options {
    std::filesystem::path input, output;
  };
  auto options = std::make_shared<Options>();
  command->add_option("image", options->input, "Image file (.bin)")->required();
  command->add_option("-o,--output", options->output, "Folder to write into")->required();
  command->callback([options] {
    const SavedImageFile file = ReadSavedImageFile(options->input);
    std::error_code error;
    std::filesystem::create_directories(options->output, error);
    if (!std::filesystem::is_directory(options->output, error))
      throw CliError("cannot create " + options->output.string());
    try {
      const InspectedImage image = InspectImage(file.image, file.memoryCode);
      std::map<uint32_t, uint32_t> samples;  // page -> length, each stored sample once
      for (const auto& entry : image.entries)
        for (const auto& record : entry.records)
          if (record.type == 2) samples.emplace(record.page, record.length);
      for (const auto& [page, length] : samples) {
        const auto decoded = DecodeStoredSample(file.image, image.pageSize, page, length);
        const auto path = options->output / ("page" + std::to_string(page) + ".wav");
        if (!WriteFileAtomically(path, WaveFileBytes(AnnouncerPcmFormat(), decoded)))
          throw CliError("cannot write " + path.string());
      }
      if (image.configText &&
          !WriteFileAtomically(options->output / "configuration.cfg", *image.configText))
        throw CliError("cannot write the configuration into " + options->output.string());
      std::cerr << "Extracted " << samples.size() << " samples"
                << (image.configText ? " and the configuration" : "") << '\n';
    } catch (const ImageFormatError& failure) {
      throw CliError(options->input.string() + ": " + failure.what());
    } catch (const WaveError& failure) {
      throw CliError(failure.what());
    }
  });
}

void AddRenderCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand("render", "Render what the announcer says into a WAV file");
  struct Options {
    std::filesystem::path input, output;
    int sequence = -1;
    bool all = false;
    int from = 0;
    std::string dil = "0x78";
  };
  auto options = std::make_shared<Options>();
  command->add_option("config", options->input, "Configuration file (.cfg)")->required();
  auto* sequence = command->add_option("--sequence", options->sequence, "Sequence index");
  auto* all = command->add_flag("--all", options->all, "Every sequence, with gaps between them");
  command->add_option("--from", options->from, "First sequence for --all")->needs(all);
  sequence->excludes(all);
  command->add_option("--dil", options->dil,
                      "Simulated DIL switches (bit n-1 = switch n), e.g. 0x78 for 4..7 ON");
  command->add_option("-o,--output", options->output, "WAV file to write")->required();
  command->callback([&context, options] {
    if (!options->all && options->sequence < 0) throw CliError("give --sequence N or --all");
    unsigned long switches = 0;
    try {
      std::size_t used = 0;
      switches = std::stoul(options->dil, &used, 0);
      if (used != options->dil.size() || switches > 0xFF) throw std::invalid_argument("dil");
    } catch (const std::exception&) {
      throw CliError("--dil takes a byte such as 0x78");
    }
    CliDocument cli(context);
    ReadConfigurationFile(cli, options->input);
    try {
      if (options->all)
        RenderAllSequencesPreview(options->output, cli.document, options->from,
                                  static_cast<uint8_t>(switches));
      else
        RenderSequencePreview(options->output, cli.document, options->sequence,
                              static_cast<uint8_t>(switches));
    } catch (const WaveError& error) {
      throw CliError(error.what());
    }
  });
}

void AddConvertCommand(CLI::App& app) {
  auto* command = app.add_subcommand("convert", "Convert a recording to mono 8-bit 14456 Hz WAV");
  struct Options {
    std::filesystem::path input, output;
  };
  auto options = std::make_shared<Options>();
  command->add_option("input", options->input, "Any audio file libsndfile reads")->required();
  command->add_option("-o,--output", options->output, "WAV file to write")->required();
  command->callback([options] {
    try {
      // Nobody asks this conversion to stop, so it always has a count.
      const auto samples = ConvertRecording(options->input, options->output);
      std::cerr << "Wrote " << samples.value_or(0) << " samples\n";
    } catch (const WaveError& error) {
      throw CliError(options->input.string() + ": " + error.what());
    }
  });
}

}  // namespace

void AddImageCommands(CLI::App& app, CliContext& context) {
  AddBuildCommand(app, context);
  AddInspectCommand(app);
  AddExtractCommand(app);
  AddRenderCommand(app, context);
  AddConvertCommand(app);
}

}  // namespace liftvox::cli
