#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace liftvox {

struct WaveFormat;

// The announcer plays mono at 14456 Hz; files within 14000..15000 Hz pass.
bool IsAnnouncerFormat(const WaveFormat& pcmFormat);

// What a WAV file dropped on the workspace turned out to be.
struct DroppedWave {
  // Length in frames; absent when the file is missing or cannot be read, in
  // which case it is taken as it is, without the format check.
  std::optional<int32_t> frames;
  bool announcerFormat = true;
};
DroppedWave InspectDroppedWave(const std::filesystem::path& file);

// The name for a converted copy of `original` in `folder`: "name-14456.wav",
// then "name-14456-2.wav", "name-14456-3.wav", ...: the first that `exists`
// denies, so nothing is overwritten. Empty when none of the first 10000 is free.
std::filesystem::path ConvertedCopyName(
    const std::filesystem::path& folder, const std::filesystem::path& original,
    const std::function<bool(const std::filesystem::path&)>& exists);

// Whether a new file can be created in `folder` (tried, not guessed: access
// rights on some systems say little).
bool FolderTakesNewFiles(const std::filesystem::path& folder);

// Converts `original` to the announcer's format into a new file beside it,
// or into `fallbackFolder` (created when missing) when its own folder takes
// no new files.
struct WaveConversion {
  enum class Outcome { Converted, NoWritableFolder, Unreadable };
  Outcome outcome = Outcome::Unreadable;
  std::filesystem::path file;  // the copy, or the folder that refused it
  int32_t frames = 0;
};
WaveConversion ConvertDroppedWave(const std::filesystem::path& original,
                                  const std::filesystem::path& fallbackFolder);

}  // namespace liftvox
