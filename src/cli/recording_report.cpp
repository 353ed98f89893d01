#include "cli/recording_report.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "cli/cli_document.h"
#include "config/recording_finder.h"

namespace liftvox::cli {
namespace {

const char* StateName(RecordingState state) {
  switch (state) {
    case RecordingState::Found:
      return "found";
    case RecordingState::FoundElsewhere:
      return "foundElsewhere";
    case RecordingState::Missing:
      return "missing";
    case RecordingState::Ambiguous:
      return "ambiguous";
  }
  return "";
}

std::string SearchCutNote() {
  return "a folder search stopped after " + std::to_string(RecordingSearchLimits{}.maxEntries) +
         " entries; recordings past them were not seen\n";
}

}  // namespace

std::string RecordingReport(const TPametRevazie& document) {
  std::ostringstream lines;
  int count = 0;
  for (const RecordingUse& use : RecordingsInUse(document)) {
    if (use.location->state != RecordingState::FoundElsewhere) continue;
    lines << "  " << use.location->storedPath << " -> " << use.location->usedPath << '\n';
    ++count;
  }
  if (document.Recordings.SearchCut()) lines << "  Note: " << SearchCutNote();
  if (count == 0 && !document.Recordings.SearchCut()) return {};
  return "\nRecordings found elsewhere (" + std::to_string(count) + "):\n" + lines.str();
}

nlohmann::ordered_json RecordingsJson(const TPametRevazie& document) {
  nlohmann::ordered_json recordings = nlohmann::ordered_json::array();
  for (const RecordingUse& use : RecordingsInUse(document))
    recordings.push_back({{"state", StateName(use.location->state)},
                          {"stored", use.location->storedPath},
                          {"used", use.location->usedPath},
                          {"candidates", use.location->candidates},
                          {"sequences", use.sequences}});
  return recordings;
}

void AddRelinkCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand(
      "relink", "Look for moved recordings in folders and write a configuration naming them");
  struct Options {
    std::filesystem::path input, output;
    std::vector<std::filesystem::path> folders;
  };
  auto options = std::make_shared<Options>();
  command->add_option("config", options->input, "Configuration file (.cfg)")->required();
  command
      ->add_option("--search", options->folders, "Folder whose tree holds recordings; repeatable")
      ->required()
      ->check(CLI::ExistingDirectory);
  command->add_option("-o,--output", options->output, "Configuration file to write")->required();
  command->callback([&context, options] {
    CliDocument cli(context);
    ReadConfigurationFile(cli, options->input);
    std::error_code error;
    if (std::filesystem::equivalent(options->input, options->output, error))
      throw CliError("relink never changes its input: write to another file than " +
                     options->input.string());
    const RecordingSearch search = SearchRecordings(cli.document, options->folders);
    ApplyRecordingChanges(cli.document, search.changes);
    WriteConfigurationFile(cli, options->output);

    std::ostringstream out;
    int unresolved = 0;
    for (const RecordingUse& use : RecordingsInUse(cli.document)) {
      const RecordingLocation& location = *use.location;
      if (location.state == RecordingState::FoundElsewhere) {
        out << "relinked " << location.storedPath << " -> " << location.usedPath << '\n';
        continue;
      }
      ++unresolved;
      out << StateName(location.state) << ' ' << location.storedPath << '\n';
      for (const std::string& candidate : location.candidates) out << "    " << candidate << '\n';
    }
    std::cout << out.str();
    if (cli.document.Recordings.SearchCut() || search.searchCut)
      std::cerr << "note: " << SearchCutNote();
    if (unresolved > 0)
      throw CliError(std::to_string(unresolved) + " recording" +
                     (unresolved == 1 ? " is" : "s are") + " still missing or ambiguous; " +
                     options->output.string() + " names the others");
  });
}

}  // namespace liftvox::cli
