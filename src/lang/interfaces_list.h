#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace liftvox {

// One controller interface the memory image can be built for.
struct InterfaceEntry {
  std::string name;  // the key name in section "Interfaces"
  int number = 0;    // the key's value as an integer, 0 when not a number

  bool operator==(const InterfaceEntry&) const = default;
};

// The keys of section "Interfaces" of Interfaces.ini in file order; empty when
// the file is missing.
std::vector<InterfaceEntry> LoadInterfaces(const std::filesystem::path& iniFile);

}  // namespace liftvox
