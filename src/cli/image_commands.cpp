#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <sstream>
#include <unordered_map>

#include "audio/convert.h"
#include "audio/preview.h"
#include "audio/wave_error.h"
#include "audio/wave_format.h"
#include "audio/wave_stream.h"
#include "cli/cli_context.h"
#include "cli/cli_document.h"
#include "cli/json_output.h"
#include "cli/terminal.h"
#include "commands/image_for_device.h"
#include "config/file_io.h"
#include "image/image_builder.h"
#include "image/image_contents.h"
#include "image/image_file.h"
#include "image/memory_size.h"
#include "image/played_waveform.h"

namespace liftvox::cli {
namespace {

int MemoryCodeFromOption(const std::string& text) {
  const int code = MemorySizeCodeFromText(text);
  if (code < 0) throw CliError("unknown memory size '" + text + "' (64kB .. 8MB)");
  return code;
}

void AddEncoderOption(CLI::App& command, std::string& encoder) {
  command
      .add_option("--encoder", encoder,
                  "ADPCM encoder: standard, or best (searches for the codes that decode "
                  "closest to the recording; slower)")
      ->check(CLI::IsMember({"standard", "best"}));
}

nlohmann::ordered_json InspectionJson(const InspectedImage& image) {
  nlohmann::ordered_json entries = nlohmann::ordered_json::array();
  for (const InspectedEntry& entry : image.entries) {
    nlohmann::ordered_json item = {{"kind", entry.kind},
                                   {"value", entry.value},
                                   {"priority", entry.priority},
                                   {"listOffset", entry.listOffset},
                                   {"firstRecord", entry.firstRecord},
                                   {"recordCount", entry.recordCount}};
    if (entry.problem != ListProblem::None) item["problem"] = DescribeListProblem(entry.problem);
    entries.push_back(std::move(item));
  }
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  for (const InspectedRecord& record : image.records) {
    nlohmann::ordered_json item = {{"offset", record.offset},
                                   {"page", record.page},
                                   {"length", record.length},
                                   {"pattern", record.pattern},
                                   {"type", record.type}};
    if (record.problem != RecordProblem::None)
      item["problem"] = DescribeRecordProblem(record.problem);
    records.push_back(std::move(item));
  }
  return {{"memoryCode", image.memoryCode},
          {"pageSize", image.pageSize},
          {"dataStartPage", image.dataStartPage},
          {"endPage", image.endPage},
          {"entries", std::move(entries)},
          {"records", std::move(records)},
          {"nonFloorEntries", image.nonFloorEntries},
          {"interface", image.interfaceCode},
          {"pinRepeat", image.pinRepeat},
          {"bitRepeat", image.bitRepeat},
          {"parallelMasks", image.parallelMasks},
          {"serialMask", image.serialMask},
          {"configLength", image.configLength}};
}

void PrintRecord(std::ostream& out, const InspectedRecord& record) {
  if (record.type == 3)
    out << "      silence " << record.length << " samples";
  else
    out << "      page " << record.page << "  " << record.length << " samples  pattern 0x"
        << std::hex << record.pattern << std::dec << "  type " << record.type;
  if (record.problem != RecordProblem::None)
    out << "  (" << DescribeRecordProblem(record.problem) << ')';
  out << '\n';
}

// Every record is printed once: entries that share the end of a list point
// to the entry that printed its records.
void PrintInspection(const InspectedImage& image) {
  std::ostringstream out;
  out << "Memory " << MemorySizeText(image.memoryCode) << ", pages of " << image.pageSize
      << " bytes; parameters at page " << image.dataStartPage << ", used up to page "
      << image.endPage << " (" << int64_t{image.endPage} * image.pageSize << " bytes)\n";
  out << "Interface " << image.interfaceCode << "; " << image.nonFloorEntries
      << " entries of general sequences\n\nDirectory (" << image.entries.size() << " entries):\n";
  struct Printed {
    std::size_t first;
    std::size_t entry;
  };
  std::unordered_map<std::size_t, Printed> printedByEnd;
  std::size_t listProblems = 0;
  for (std::size_t i = 0; i < image.entries.size(); ++i) {
    const InspectedEntry& entry = image.entries[i];
    out << "  " << i << "  " << entry.kind << ' ' << entry.value << "  priority " << entry.priority
        << "  " << entry.recordCount << " records";
    if (entry.problem != ListProblem::None) {
      ++listProblems;
      out << "  (" << DescribeListProblem(entry.problem) << ')';
    }
    out << '\n';
    if (entry.recordCount == 0) continue;
    const std::size_t end = entry.firstRecord + entry.recordCount;
    const auto printed = printedByEnd.find(end);
    std::size_t upTo = end;
    if (printed != printedByEnd.end()) {
      const Printed earlier = printed->second;
      if (entry.firstRecord >= earlier.first) {
        if (entry.firstRecord == earlier.first)
          out << "      the same records as entry " << earlier.entry << '\n';
        else
          out << "      the last " << entry.recordCount << " records of entry " << earlier.entry
              << '\n';
        continue;
      }
      upTo = earlier.first;
    }
    for (std::size_t r = entry.firstRecord; r < upTo; ++r) PrintRecord(out, image.records[r]);
    if (upTo != end) out << "      then the records of entry " << printed->second.entry << '\n';
    printedByEnd[end] = {entry.firstRecord, i};
  }
  std::size_t recordProblems = 0;
  for (const InspectedRecord& record : image.records)
    if (record.problem != RecordProblem::None) ++recordProblems;
  out << "\nConfiguration stored: "
      << (image.configText ? std::to_string(image.configText->size()) + " bytes" : "no") << '\n';
  out << "Problems: ";
  if (recordProblems + listProblems == 0)
    out << "none\n";
  else
    out << recordProblems << " records and " << listProblems
        << " lists that no build writes; their samples are not decoded\n";
  std::cout << out.str();
}

void AddBuildCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand("build", "Build a memory image file from a configuration");
  struct Options {
    std::filesystem::path input, output;
    std::string memory;
    int interfaceNumber = 0;
    bool noConfig = false;
    std::string encoder = "standard";
  };
  auto options = std::make_shared<Options>();
  command->add_option("config", options->input, "Configuration file (.cfg)")->required();
  command->add_option("--memory", options->memory, "Memory size: 64kB .. 8MB")->required();
  command->add_option("--interface", options->interfaceNumber, "Interface the image is built for")
      ->check(CLI::Range(0, 255));
  command->add_flag("--no-config", options->noConfig, "Do not store the configuration text");
  AddEncoderOption(*command, options->encoder);
  command->add_option("-o,--output", options->output, "Image file to write")->required();
  command->callback([&context, options] {
    ImageSettings settings;
    settings.memorySizeCode = MemoryCodeFromOption(options->memory);
    settings.interfaceCode = static_cast<uint8_t>(options->interfaceNumber);
    settings.setupToFlash = !options->noConfig;
    settings.encoder = *EncoderKindFromText(options->encoder);
    CliDocument cli(context);
    ReadConfigurationFile(cli, options->input);
    int32_t used = 0;
    {
      TerminalProgress progress("Building");
      used = SestavPamet(cli.document, settings, progress.Callback());
    }
    if (used <= 0) throw CliError(cli.prompter.TakeLastWarning());
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
        PrintJson([&image] { return InspectionJson(image); });
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
      // Only recordings inside the used memory that overlap no other: the
      // output is at most two samples per byte of the image.
      const std::vector<StoredRecording> recordings = RecordingsToExtract(image);
      for (const StoredRecording& recording : recordings) {
        const auto decoded =
            DecodeStoredSample(file.image, image.pageSize, recording.page, recording.length);
        const auto path = options->output / ("page" + std::to_string(recording.page) + ".wav");
        if (!WriteFileAtomically(path, WaveFileBytes(AnnouncerPcmFormat(), decoded)))
          throw CliError("cannot write " + path.string());
      }
      if (image.configText &&
          !WriteFileAtomically(options->output / "configuration.cfg", *image.configText))
        throw CliError("cannot write the configuration into " + options->output.string());
      const auto skipped =
          std::count_if(image.records.begin(), image.records.end(), [](const auto& record) {
            return record.type == 2 && record.problem != RecordProblem::None;
          });
      std::cerr << "Extracted " << recordings.size() << " samples"
                << (image.configText ? " and the configuration" : "") << '\n';
      if (skipped > 0)
        std::cerr << skipped << " records point at data no build writes and were not decoded"
                  << " (see inspect)\n";
    } catch (const ImageFormatError& failure) {
      throw CliError(options->input.string() + ": " + failure.what());
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
    std::string encoder;  // empty: the recordings as they are
  };
  auto options = std::make_shared<Options>();
  command->add_option("config", options->input, "Configuration file (.cfg)")->required();
  auto* sequence = command->add_option("--sequence", options->sequence, "Sequence index");
  auto* all = command->add_flag("--all", options->all, "Every sequence, with gaps between them");
  command->add_option("--from", options->from, "First sequence for --all")->needs(all);
  sequence->excludes(all);
  command->add_option("--dil", options->dil,
                      "Simulated DIL switches (bit n-1 = switch n), e.g. 0x78 for 4..7 ON");
  AddEncoderOption(*command, options->encoder);
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
    RecordingFilter played;
    if (const auto encoder = EncoderKindFromText(options->encoder))
      played = AnnouncerPlayback(*encoder);
    try {
      if (options->all)
        RenderAllSequencesPreview(options->output, cli.document, options->from,
                                  static_cast<uint8_t>(switches), {}, played);
      else
        RenderSequencePreview(options->output, cli.document, options->sequence,
                              static_cast<uint8_t>(switches), {}, played);
    } catch (const WaveError& error) {
      throw CliError(error.what());
    }
  });
}

void AddConvertCommand(CLI::App& app) {
  auto* command = app.add_subcommand("convert", "Convert a recording to mono 8-bit 14456 Hz WAV");
  struct Options {
    std::filesystem::path input, output;
    SoundEdits edits;
  };
  auto options = std::make_shared<Options>();
  command->add_option("input", options->input, "Any audio file libsndfile reads")->required();
  command->add_option("-o,--output", options->output, "WAV file to write")->required();
  command->add_flag("--trim", options->edits.trimSilence,
                    "Cut the silence at both ends, keeping 50 ms of margin");
  command->add_flag("--normalise", options->edits.normalise, "Bring the peak to -1 dBFS");
  command->callback([options] {
    try {
      // Nobody asks this conversion to stop, so it always has a count.
      const auto samples = ConvertRecording(options->input, options->output, {}, options->edits);
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
