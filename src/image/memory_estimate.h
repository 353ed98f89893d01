#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/configuration_text_size.h"
#include "image/image_settings.h"

namespace liftvox {

class TPametRevazie;

// The image size without reading any audio: the same page counting as the
// builder, with each distinct WAV file's length taken from its sample's
// stored Samples. Stores the result as the document's UsedMemory.
int32_t OdhadniPamet(TPametRevazie& document, const ImageSettings& settings);

// The same estimate for callers that repeat it after every edit (the main
// window): it remembers what it learnt about each sample file, so a large
// configuration is estimated in well under a millisecond.
class MemoryEstimator {
 public:
  int32_t OdhadniPamet(TPametRevazie& document, const ImageSettings& settings);

 private:
  // A number per distinct stored file (samples naming the same file share it).
  uint32_t FileId(const std::string& fileName);

  ConfigurationTextSize textSize_;
  std::unordered_map<std::string, uint32_t> fileIds_;   // by sample FileName
  std::unordered_map<std::string, uint32_t> idsByKey_;  // by SampleFileKey
  std::vector<uint32_t> countedIn_;                     // by id: the last estimate counting it
  uint32_t estimate_ = 0;
};

// What the memory-usage gauge shows for `used` bytes of `memorySize`.
struct GaugeState {
  bool drawn = false;     // false when the memory size is unknown (below 1)
  int filledWidth = 0;    // of a bar `barWidth` pixels wide
  std::string label;      // "46 %"
  bool overflow = false;  // used exceeds the memory: the bar is red
};
GaugeState MemoryGauge(int64_t used, int64_t memorySize, int barWidth);

}  // namespace liftvox
