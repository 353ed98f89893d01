#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace liftvox {

class Translator;

// One controller interface the memory image can be built for.
struct InterfaceEntry {
  std::string name;  // the key name in section "Interfaces"
  int number = 0;    // the key's value as an integer, 0 when not a number

  bool operator==(const InterfaceEntry&) const = default;
};

// The keys of section "Interfaces" of Interfaces.ini in file order; empty when
// the file is missing.
std::vector<InterfaceEntry> LoadInterfaces(const std::filesystem::path& iniFile);

// An interface's name in the user's language, wherever it is shown (the
// interface menu, the hardware properties, the interface question, the
// command-line tool): the translation of "Interface" + its number, else
// `fallback` (its name in Interfaces.ini, or the menu item's caption so far).
std::string TranslatedInterfaceName(const Translator& translator, int number,
                                    const std::string& fallback);

}  // namespace liftvox
