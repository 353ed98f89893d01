#pragma once

#include <cstdint>
#include <filesystem>
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

// The user's data folder: where a copy of a recording goes when the
// recording's own folder takes no new files.
std::filesystem::path UserDataFolder();

}  // namespace liftvox
