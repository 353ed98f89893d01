#include "image/memory_estimate.h"

#include <algorithm>
#include <cmath>

#include "image/image_layout.h"
#include "image/memory_size.h"
#include "image/sample_identity.h"
#include "model/document.h"

namespace liftvox {

int32_t OdhadniPamet(TPametRevazie& document, const ImageSettings& settings) {
  return MemoryEstimator().OdhadniPamet(document, settings);
}

uint32_t MemoryEstimator::FileId(const std::string& fileName) {
  if (const auto found = fileIds_.find(fileName); found != fileIds_.end()) return found->second;
  const auto [byKey, fresh] =
      idsByKey_.emplace(SampleFileKey(fileName), static_cast<uint32_t>(idsByKey_.size()));
  if (fresh) countedIn_.push_back(0);
  fileIds_.emplace(fileName, byKey->second);
  return byKey->second;
}

int32_t MemoryEstimator::OdhadniPamet(TPametRevazie& document, const ImageSettings& settings) {
  const int64_t pageSize = PageSizeForMemory(settings.memorySizeCode);
  if (pageSize <= 0) return document.UsedMemory = 0;
  const ImageCounts counts = CountImage(document);
  int64_t pages = CeilDiv(counts.listsEnd, pageSize);

  const auto textSize = settings.setupToFlash ? textSize_.Of(document) : std::nullopt;
  pages += textSize ? CeilDiv(40 + *textSize + 1, pageSize) : 1;

  ++estimate_;
  for (const auto& sequence : document.SequenceList) {
    for (const auto& sample : sequence->SampleList) {
      if (sample->Silence) continue;
      uint32_t& counted = countedIn_[FileId(sample->FileName)];
      if (counted == estimate_) continue;
      counted = estimate_;
      pages += CeilDiv(std::max<int64_t>(sample->Samples, 0), 2 * pageSize);
    }
  }

  const int64_t used = pages * pageSize;
  document.UsedMemory = static_cast<int32_t>(std::min<int64_t>(used, INT32_MAX));
  return document.UsedMemory;
}

GaugeState MemoryGauge(int64_t used, int64_t memorySize, int barWidth) {
  GaugeState gauge;
  if (memorySize < 1 || barWidth <= 0) return gauge;
  const double fraction = static_cast<double>(used) / static_cast<double>(memorySize);
  gauge.drawn = true;
  gauge.filledWidth =
      static_cast<int>(std::min<double>(std::nearbyint(fraction * barWidth), barWidth));
  gauge.label = std::to_string(static_cast<int64_t>(std::nearbyint(fraction * 100))) + " %";
  gauge.overflow = used > memorySize;
  return gauge;
}

}  // namespace liftvox
