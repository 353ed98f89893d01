#include "model/coding.h"

#include "model/document.h"

namespace liftvox {
namespace {

uint8_t Encode(const FloorCoding& coding, int start, int n) {
  uint8_t code = static_cast<uint8_t>((start + n) & 0xFF);
  if (coding.gray) code = GrayCode(code);
  if (coding.inverted) code ^= 0xFF;
  return code;
}

}  // namespace

uint8_t GrayCode(uint8_t x) { return static_cast<uint8_t>(x ^ (x >> 1)); }

uint8_t Zakoduj(const FloorCoding& coding, int n) { return Encode(coding, coding.floorStart, n); }

uint8_t ZakodujSpec(const FloorCoding& coding, int n) {
  return Encode(coding, coding.specialStart, n);
}

void ApplyFloorCoding(TPametRevazie& document, const FloorCoding& coding) {
  int n = 0;
  for (auto& sequence : document.SequenceList)
    if (sequence->Floor) sequence->Code = Zakoduj(coding, n++);

  for (auto& sequence : document.SequenceList)
    if (!sequence->Floor && sequence->Pin == 0) sequence->Code = -1;

  const auto special = [&coding](int position) { return ZakodujSpec(coding, position); };
  int next = 0;
  for (auto& sequence : document.SequenceList) {
    if (sequence->Floor || sequence->Pin != 0) continue;
    if (const auto position = document.FindFreeCode(next, special)) {
      sequence->Code = ZakodujSpec(coding, *position);
      next = (*position + 1) & 0xFF;
    }
  }
  document.MarkChanged();
  document.NotifyContentChanged();
}

}  // namespace liftvox
