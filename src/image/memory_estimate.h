#pragma once

#include <cstdint>
#include <string>

#include "image/image_settings.h"

namespace liftvox {

class TPametRevazie;

// The image size without reading any audio: the same page counting as the
// builder, with each distinct WAV file's length taken from its sample's
// stored Samples. Stores the result as the document's UsedMemory.
int32_t OdhadniPamet(TPametRevazie& document, const ImageSettings& settings);

// What the memory-usage gauge shows for `used` bytes of `memorySize`.
struct GaugeState {
  bool drawn = false;     // false when the memory size is unknown (below 1)
  int filledWidth = 0;    // of a bar `barWidth` pixels wide
  std::string label;      // "46 %"
  bool overflow = false;  // used exceeds the memory: the bar is red
};
GaugeState MemoryGauge(int64_t used, int64_t memorySize, int barWidth);

}  // namespace liftvox
