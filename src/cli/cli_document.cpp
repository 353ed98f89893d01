#include "cli/cli_document.h"

#include <iostream>

#include "audio/wave_length.h"
#include "config/configuration_file.h"
#include "config/file_io.h"
#include "config/ini_file.h"
#include "config/paths.h"
#include "config/text_encoding.h"
#include "lang/icon_names.h"

namespace liftvox::cli {

void CliPrompter::Inform(const Message& message) { std::cerr << message.text << '\n'; }

void CliPrompter::Warn(const Message& message) { lastWarning = message.text; }

Answer CliPrompter::AskYesNo(const Message&) { return assumeYes ? Answer::Yes : Answer::No; }

Answer CliPrompter::AskYesNoCancel(const Message&) { return assumeYes ? Answer::Yes : Answer::No; }

CliDocument::CliDocument(const CliContext& context) {
  language.SetLanguageFile(context.LanguageFile());
  document.SetTranslator(&language);
  document.SetPrompter(&prompter);
  document.SetSampleLengthMeasure(MeasureWaveFrames);
  document.IconNames = LoadIconNames(context.dataDir / "Icons");
  document.ProgramDirectory = context.dataDir;
}

void ReadConfigurationFile(CliDocument& cli, const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error))
    throw CliError("cannot read " + path.string() + ": no such file");
  const FileBytes read = ReadBoundedFile(path, kMaxTextFileBytes);
  if (!read.bytes)
    throw CliError("cannot read " + path.string() + ": it " +
                   DescribeFileReadError(read.error, kMaxTextFileBytes));
  const TTextIniFile ini(DecodeText(*read.bytes));
  if (!IsConfigurationText(ini))
    throw CliError("cannot read " + path.string() +
                   ": it holds no configuration (no section a configuration has)");
  const std::filesystem::path file = std::filesystem::absolute(path, error);
  cli.document.SetCurrentFileName(PathToUtf8(file));
  if (!ReadConfigurationFrom(cli.document, ini, file)) {
    std::string reason = cli.prompter.lastWarning.empty() ? "not a readable configuration"
                                                          : cli.prompter.lastWarning;
    throw CliError("cannot read " + path.string() + ": " + reason);
  }
}

void WriteConfigurationFile(CliDocument& cli, const std::filesystem::path& path) {
  if (!cli.document.DilEntries.empty() && cli.document.IconNames.empty())
    throw CliError("no icons found in the data folder's Icons: DIL entries cannot be saved");
  if (!SaveConfiguration(cli.document, path)) throw CliError(cli.prompter.lastWarning);
}

}  // namespace liftvox::cli
