#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "cli/cli_context.h"
#include "lang/language.h"
#include "model/document.h"
#include "model/prompter.h"

namespace liftvox::cli {

// The command line's prompter: informations go to stderr, warnings are kept
// so a failing command can report them as its error, questions take the
// answer given by flags (No unless --yes).
class CliPrompter final : public Prompter {
 public:
  bool assumeYes = false;
  std::string lastWarning;

  void Inform(const Message& message) override;
  void Warn(const Message& message) override;
  Answer AskYesNo(const Message& message) override;
  Answer AskYesNoCancel(const Message& message) override;
};

// A document set up as the program sets it up: the language file and icons
// from the data folder, stored paths relative to that folder (where the
// wizard's recordings are).
struct CliDocument {
  explicit CliDocument(const CliContext& context);
  CliDocument(const CliDocument&) = delete;
  CliDocument& operator=(const CliDocument&) = delete;

  TLanguage language;
  CliPrompter prompter;
  TPametRevazie document;
};

// Reads a configuration as if that very file had been open before, so its
// relative sample paths resolve against its own folder first and recordings
// not found are looked for in its folder tree. Throws CliError when it cannot
// be read.
void ReadConfigurationFile(CliDocument& cli, const std::filesystem::path& path);

// Saves through the document's save command; throws CliError on failure.
void WriteConfigurationFile(CliDocument& cli, const std::filesystem::path& path);

}  // namespace liftvox::cli
