#include "cli/cli_language.h"

#include <cstdlib>

#include "cli/cli_context.h"
#include "config/paths.h"
#include "lang/language.h"

namespace liftvox::cli {

namespace fs = std::filesystem;

fs::path ChooseLanguageFile(const fs::path& languagesDir, const std::string& given) {
  if (given.empty()) return languagesDir / LanguageFileForLocale(MessagesLocale());
  if (fs::path file = FindLanguageFile(languagesDir, given); !file.empty()) return file;
  throw CliError("no language file " + given + " (give a file in " + PathToUtf8(languagesDir) +
                 " or a path)");
}

fs::path LanguageFileForLocale(std::string_view locale) {
  if (locale.starts_with("cs")) return PathFromUtf8("Čeština.lng");
  if (locale.starts_with("de")) return "Deutsch.lng";
  return "English.lng";
}

std::string MessagesLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return {};
}

fs::path CliContext::LanguageFile() const {
  return ChooseLanguageFile(dataDir / "Languages", language);
}

}  // namespace liftvox::cli
