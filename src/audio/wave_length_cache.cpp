#include "audio/wave_length_cache.h"

#include <chrono>
#include <memory>
#include <system_error>

#include "audio/wave_length.h"
#include "config/paths.h"

namespace liftvox {
namespace {

// Longer than the coarsest time stamp tick in use (two seconds on FAT): a
// file written more recently may change again without a new stamp.
constexpr auto kStampTrustDelay = std::chrono::seconds(3);

}  // namespace

std::optional<int32_t> WaveLengthCache::Measure(const std::string& fileName) {
  const std::filesystem::path path = NativePath(fileName);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  const std::filesystem::file_time_type time = std::filesystem::last_write_time(path, error);
  if (error) return std::nullopt;
  const bool trusted = std::filesystem::file_time_type::clock::now() - time >= kStampTrustDelay;
  if (trusted) {
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find(fileName);
    if (found != entries_.end() && found->second.size == size && found->second.time == time)
      return found->second.frames;
  }
  // Measured outside the lock: another thread may measure the same file
  // meanwhile, and either result is right.
  const std::optional<int32_t> frames = MeasureWaveFrames(fileName);
  const std::lock_guard lock(mutex_);
  if (frames)
    entries_[fileName] = Entry{size, time, *frames};
  else
    entries_.erase(fileName);
  return frames;
}

TPametRevazie::SampleLengthMeasure CachedWaveLengthMeasure() {
  auto cache = std::make_shared<WaveLengthCache>();
  return [cache](const std::string& fileName) { return cache->Measure(fileName); };
}

}  // namespace liftvox
