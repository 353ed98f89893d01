#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <set>

#include "cli/cli_context.h"
#include "cli/cli_document.h"
#include "cli/json_output.h"
#include "cli/recording_report.h"
#include "commands/configuration_problems.h"
#include "config/paths.h"
#include "config/wizard.h"
#include "model/coding.h"
#include "model/editing.h"
#include "model/trigger_text.h"

namespace liftvox::cli {
namespace {

std::string IconName(const TPametRevazie& document, int32_t icon) {
  if (icon < 0 || static_cast<std::size_t>(icon) >= document.IconNames.size()) return {};
  return document.IconNames[static_cast<std::size_t>(icon)];
}

nlohmann::ordered_json ConfigurationJson(const TPametRevazie& document) {
  nlohmann::ordered_json dil = nlohmann::ordered_json::array();
  for (const DilEntry& entry : document.DilEntries)
    dil.push_back({{"name", entry.Name},
                   {"pattern", entry.Pattern},
                   {"icon", IconName(document, entry.Icon)}});
  nlohmann::ordered_json sequences = nlohmann::ordered_json::array();
  for (const auto& sequence : document.SequenceList) {
    nlohmann::ordered_json samples = nlohmann::ordered_json::array();
    for (const auto& sample : sequence->SampleList)
      samples.push_back({{"file", sample->FileName},
                         {"silence", sample->Silence},
                         {"samples", sample->Samples},
                         {"dil", sample->DIL}});
    sequences.push_back({{"name", sequence->Name},
                         {"code", sequence->Code},
                         {"pin", sequence->Pin},
                         {"bit", sequence->Bit},
                         {"priority", sequence->Priority},
                         {"floor", sequence->Floor},
                         {"invParBit", sequence->InvParBit},
                         {"invSerBit", sequence->InvSerBit},
                         {"repeat", sequence->Repeat},
                         {"samples", std::move(samples)}});
  }
  return {{"parPlayInv", document.ParPlayInv},
          {"serPlayInv", document.SerPlayInv},
          {"dil", std::move(dil)},
          {"sequences", std::move(sequences)},
          {"recordings", RecordingsJson(document)}};
}

// `readingWarnings`: what reading the file left out or changed, listed first
// among the problems.
void PrintSummary(const TPametRevazie& document, const std::filesystem::path& path,
                  const std::vector<std::string>& readingWarnings) {
  // Straight out: at the maxima the summary has a million lines.
  std::ostream& out = std::cout;
  out << "Configuration " << path.string() << '\n';
  out << "Inverted play signal: parallel " << (document.ParPlayInv ? "yes" : "no") << ", serial "
      << (document.SerPlayInv ? "yes" : "no") << "\n\n";
  out << "DIL entries (" << document.DilEntries.size() << "):\n";
  for (std::size_t i = 0; i < document.DilEntries.size(); ++i) {
    const DilEntry& entry = document.DilEntries[i];
    char pattern[8];
    std::snprintf(pattern, sizeof pattern, "0x%04X", entry.Pattern);
    out << "  " << i << "  " << entry.Name << "  pattern " << pattern << "  icon "
        << IconName(document, entry.Icon) << '\n';
  }
  out << "\nSequences (" << document.SequenceCount() << "):\n";
  for (int i = 0; i < document.SequenceCount(); ++i) {
    const TSekvence& sequence = *document.SequenceAt(i);
    out << "  " << i << "  " << TriggerText(document, sequence) << "  \"" << sequence.Name << "\"  "
        << (sequence.Floor ? "floor" : "general") << "  priority " << int(sequence.Priority)
        << "  repeat "
        << (sequence.Repeat == 255 ? std::string("none") : std::to_string(sequence.Repeat) + " s")
        << "  " << sequence.SampleCount() << " samples\n";
    for (const auto& sample : sequence.SampleList) {
      if (sample->Silence)
        out << "      silence " << MillisecondsFromSamples(sample->Samples) << " ms ("
            << sample->Samples << " samples)\n";
      else
        out << "      " << sample->FileName << "  " << sample->Samples << " samples  DIL "
            << sample->DIL << '\n';
    }
  }
  out << RecordingReport(document);
  std::vector<std::string> problems = readingWarnings;
  for (std::string& problem : FindConfigurationProblems(document))
    problems.push_back(std::move(problem));
  out << "\nProblems: " << (problems.empty() ? "none" : std::to_string(problems.size())) << '\n';
  for (const auto& problem : problems) out << "  - " << problem << '\n';
}

std::filesystem::path FindWizardFile(const CliContext& context, const std::string& given) {
  std::error_code error;
  const std::filesystem::path direct = NativePath(given);
  if (std::filesystem::is_regular_file(direct, error)) return direct;
  for (const std::string& name : {given, given + ".wiz"}) {
    const auto shipped = context.dataDir / "Languages" / NativePath(name);
    if (std::filesystem::is_regular_file(shipped, error)) return shipped;
  }
  for (const auto& language : FindWizardLanguages(context.dataDir / "Languages"))
    if (EqualsIgnoreCase(language.name, given)) return language.file;
  throw CliError("no wizard file " + given);
}

void AddNewCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand("new", "Write the default configuration");
  auto output = std::make_shared<std::filesystem::path>();
  command->add_option("-o,--output", *output, "Configuration file to write")->required();
  command->callback([&context, output] {
    CliDocument cli(context);
    NewConfiguration(cli.document);
    WriteConfigurationFile(cli, *output);
  });
}

void AddCheckCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand("check", "Read a configuration and summarise it");
  struct Options {
    std::filesystem::path input;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  command->add_option("config", options->input, "Configuration file (.cfg)")->required();
  command->add_flag("--json", options->json, "Print the configuration as JSON");
  command->callback([&context, options] {
    CliDocument cli(context);
    ReadConfigurationFile(cli, options->input);
    if (options->json)
      PrintJson([&cli] { return ConfigurationJson(cli.document); });
    else
      PrintSummary(cli.document, options->input, cli.prompter.warnings);
  });
}

void AddWizardCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand("wizard", "Build a new configuration from wizard files");
  struct Options {
    std::vector<std::string> languages;
    int floors = 24;
    int lowest = 0;
    bool gray = false, inverted = false;
    std::vector<std::string> special{"overload", "alarm", "up", "down", "open", "close", "univ"};
    std::filesystem::path output;
  };
  auto options = std::make_shared<Options>();
  command->add_option("--language", options->languages,
                      "Wizard file (.wiz), or a language shipped in Languages/; repeatable");
  command->add_option("--floors", options->floors, "Number of floors")->check(CLI::Range(1, 256));
  command->add_option("--lowest", options->lowest, "Lowest floor, -3 (third basement) .. 2")
      ->check(CLI::Range(-3, 2));
  command->add_flag("--gray", options->gray, "Gray code instead of binary");
  command->add_flag("--inverted", options->inverted, "Inverted polarity");
  command
      ->add_option("--special", options->special,
                   "Special sequences: up,down,open,close,overload,alarm,univ")
      ->delimiter(',');
  command->add_option("-o,--output", options->output, "Configuration file to write")->required();
  command->callback([&context, options] {
    WizardChoices choices;
    choices.specialPins.clear();
    for (const std::string& name : options->special) {
      const int32_t pin = SpecialPinByName(name);
      if (pin == 0) throw CliError("unknown special sequence '" + name + "'");
      if (std::find(choices.specialPins.begin(), choices.specialPins.end(), pin) !=
          choices.specialPins.end())
        throw CliError("special sequence '" + name + "' is named twice");
      choices.specialPins.push_back(pin);
    }
    const int maxFloors = 256 - static_cast<int>(choices.specialPins.size());
    if (options->floors > maxFloors)
      throw CliError("at most " + std::to_string(maxFloors) + " floors fit beside " +
                     std::to_string(choices.specialPins.size()) + " special sequences");
    choices.floorCount = options->floors;
    choices.lowestFloor = options->lowest;
    choices.gray = options->gray;
    choices.inverted = options->inverted;
    for (const std::string& language : options->languages)
      choices.languageFiles.push_back(FindWizardFile(context, language));

    CliDocument cli(context);
    SestavKonfiguraci(cli.document, choices);
    WriteConfigurationFile(cli, options->output);
  });
}

void AddRecodeCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand("recode", "Renumber floor and special sequence codes");
  struct Options {
    std::filesystem::path input, output;
    FloorCoding coding;
  };
  auto options = std::make_shared<Options>();
  command->add_option("config", options->input, "Configuration file (.cfg)")->required();
  command->add_flag("--gray", options->coding.gray, "Gray code instead of binary");
  command->add_flag("--inverted", options->coding.inverted, "Inverted polarity");
  command
      ->add_option("--floor-start", options->coding.floorStart, "Code position of the first floor")
      ->check(CLI::Range(0, 255));
  command
      ->add_option("--special-start", options->coding.specialStart,
                   "Code position of the first special sequence")
      ->check(CLI::Range(0, 255));
  command->add_option("-o,--output", options->output, "Configuration file to write")->required();
  command->callback([&context, options] {
    CliDocument cli(context);
    ReadConfigurationFile(cli, options->input);
    ApplyFloorCoding(cli.document, options->coding);
    WriteConfigurationFile(cli, options->output);
  });
}

}  // namespace

void AddConfigCommands(CLI::App& app, CliContext& context) {
  AddNewCommand(app, context);
  AddCheckCommand(app, context);
  AddRelinkCommand(app, context);
  AddWizardCommand(app, context);
  AddRecodeCommand(app, context);
}

}  // namespace liftvox::cli
