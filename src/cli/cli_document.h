#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "lang/language.h"
#include "model/document.h"
#include "model/prompter.h"

namespace liftvox::cli {

// The command line's prompter: informations and warnings go to stderr, each
// warning as "warning: ..."; questions take the answer given by flags (No
// unless --yes). A warning is printed when the next message comes or the
// prompter goes, so that a command failing because of it can make it its
// error instead (TakeLastWarning) and nothing is said twice.
class CliPrompter final : public Prompter {
 public:
  CliPrompter() = default;
  ~CliPrompter() override;
  CliPrompter(const CliPrompter&) = delete;
  CliPrompter& operator=(const CliPrompter&) = delete;

  bool assumeYes = false;
  std::string lastWarning;
  std::vector<std::string> warnings;  // every warning's text, in order

  // The latest warning's text, which the caller reports itself; it is not
  // printed as a warning. Empty when there was none.
  std::string TakeLastWarning();

  void Inform(const Message& message) override;
  void Warn(const Message& message) override;
  Answer AskYesNo(const Message& message) override;
  Answer AskYesNoCancel(const Message& message) override;

 private:
  void PrintPending();
  bool pending_ = false;
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
// When reading or building the configuration gave warnings (samples cut,
// silences clamped, ...), says that the file holds it as changed.
void WriteConfigurationFile(CliDocument& cli, const std::filesystem::path& path);

}  // namespace liftvox::cli
