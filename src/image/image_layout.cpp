#include "image/image_layout.h"

#include "model/document.h"

namespace liftvox {

std::vector<ImageEntry> ImageEntries(const TPametRevazie& document) {
  std::vector<ImageEntry> entries;
  for (const auto& sequence : document.SequenceList) {
    const TSekvence* s = sequence.get();
    if (s->Pin > 0) entries.push_back({s, static_cast<uint16_t>(0x1000 | ((s->Pin - 1) & 0xFF))});
    if (s->Bit > 0) entries.push_back({s, static_cast<uint16_t>(0x2000 | (s->Bit & 0xFF))});
    if (s->Pin <= 0 && s->Bit <= 0) entries.push_back({s, static_cast<uint16_t>(s->Code & 0xFFFF)});
  }
  return entries;
}

ImageCounts CountImage(const TPametRevazie& document) {
  ImageCounts counts;
  for (const ImageEntry& entry : ImageEntries(document)) {
    ++counts.entries;
    counts.records += entry.sequence->SampleCount();
    if (!entry.sequence->Floor) ++counts.nonFloorEntries;
  }
  counts.firstRecordOffset = (4 + 4 * counts.entries + 15) / 16 * 16;
  counts.listsEnd = counts.firstRecordOffset +
                    int64_t{image_layout::kRecordSize} * (counts.records + counts.entries);
  return counts;
}

}  // namespace liftvox
