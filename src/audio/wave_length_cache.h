#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "model/document.h"

namespace liftvox {

// WAV lengths (MeasureWaveFrames) remembered per file: a file is opened again
// only when its size or modification time differ from those it had when it
// was measured, so reopening a configuration, or a wizard naming the shipped
// recordings again, costs one look at each file instead of reading it. Files
// that cannot be measured, and files written in the last few seconds (whose
// next change may keep the stamp), are read every time. Safe to use from
// several threads.
class WaveLengthCache {
 public:
  std::optional<int32_t> Measure(const std::string& fileName);

 private:
  struct Entry {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    int32_t frames = 0;
  };
  std::mutex mutex_;
  std::unordered_map<std::string, Entry> entries_;
};

// The measure the program and the command line give their documents:
// MeasureWaveFrames through a cache the returned function owns.
TPametRevazie::SampleLengthMeasure CachedWaveLengthMeasure();

}  // namespace liftvox
