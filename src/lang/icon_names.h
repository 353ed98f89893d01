#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace liftvox {

// The upper-cased file names (with extension) of the "*.bmp" files in an icon
// folder, sorted by name without regard to case so the order, and so every
// icon index, is the same on every file system. Empty for a missing folder.
std::vector<std::string> LoadIconNames(const std::filesystem::path& iconDir);

}  // namespace liftvox
