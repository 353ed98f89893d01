#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace liftvox {

// The whole file, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Replaces `path` with `bytes` without ever destroying the old file: the data
// goes to a temporary file in the same folder, is flushed, and is renamed over
// the target. On failure the temporary file is removed, the old file is left
// byte-for-byte as it was, and the result is false.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace liftvox
