#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace liftvox::cli {

// The language file the command line's messages come from. `given` (the
// --language option) is a path to a language file, or a file in
// `languagesDir` named with or without ".lng", in any case ("English",
// "deutsch.lng"). Empty `given` takes the environment's language (below).
// Throws CliError when `given` names no language file.
std::filesystem::path ChooseLanguageFile(const std::filesystem::path& languagesDir,
                                         const std::string& given);

// The shipped language file for a POSIX locale name: "Čeština.lng" for one
// starting with "cs", "Deutsch.lng" for "de", "English.lng" for any other
// (including "C", "POSIX" and none at all).
std::filesystem::path LanguageFileForLocale(std::string_view locale);

// The locale that decides the language of messages, as the C library takes
// it: the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty.
std::string MessagesLocale();

}  // namespace liftvox::cli
