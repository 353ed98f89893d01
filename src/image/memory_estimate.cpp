#include "image/memory_estimate.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "config/configuration_file.h"
#include "device/memory_size.h"
#include "image/image_layout.h"
#include "image/sample_identity.h"
#include "model/document.h"

namespace liftvox {

int32_t OdhadniPamet(TPametRevazie& document, const ImageSettings& settings) {
  const int64_t pageSize = PageSizeForMemory(settings.memorySizeCode);
  if (pageSize <= 0) return document.UsedMemory = 0;
  const ImageCounts counts = CountImage(document);
  int64_t pages = CeilDiv(counts.listsEnd, pageSize);

  const auto text = settings.setupToFlash ? RenderConfigurationText(document) : std::nullopt;
  pages += text ? CeilDiv(40 + static_cast<int64_t>(text->size()) + 1, pageSize) : 1;

  std::unordered_set<std::string> counted;
  for (const auto& sequence : document.SequenceList)
    for (const auto& sample : sequence->SampleList)
      if (!sample->Silence && counted.insert(SampleFileKey(sample->FileName)).second)
        pages += CeilDiv(std::max<int64_t>(sample->Samples, 0), 2 * pageSize);

  const int64_t used = pages * pageSize;
  document.UsedMemory = static_cast<int32_t>(std::min<int64_t>(used, INT32_MAX));
  return document.UsedMemory;
}

GaugeState MemoryGauge(int64_t used, int64_t memorySize, int barWidth) {
  GaugeState gauge;
  if (memorySize < 1 || barWidth <= 0) return gauge;
  const double fraction = static_cast<double>(used) / static_cast<double>(memorySize);
  gauge.drawn = true;
  gauge.filledWidth = static_cast<int>(std::min<double>(std::nearbyint(fraction * barWidth), barWidth));
  gauge.label = std::to_string(static_cast<int64_t>(std::nearbyint(fraction * 100))) + " %";
  gauge.overflow = used > memorySize;
  return gauge;
}

}  // namespace liftvox
