#include "model/sequence_copy.h"

#include "model/document.h"

namespace liftvox {

int32_t CopyCodeFor(const TPametRevazie& document, const TSekvence& source) {
  constexpr int32_t kCodes = 256;
  const int32_t start = source.Floor ? ((source.Code % kCodes) + kCodes) % kCodes : 128;
  for (int32_t step = 0; step < kCodes; ++step) {
    const int32_t code = (start + step) % kCodes;
    if (!document.FindSequenceByCode(code)) return code;
  }
  // Only reachable with 256 code-triggered sequences, where no copy is made.
  return start;
}

std::unique_ptr<TSekvence> CopySequenceHead(TPametRevazie& document, const TSekvence& source) {
  auto copy = std::make_unique<TSekvence>();
  copy->Name = source.Name;
  copy->Floor = source.Floor;
  copy->Repeat = source.Repeat;
  copy->Code = CopyCodeFor(document, source);
  return copy;
}

std::unique_ptr<TVzorek> CopySample(const TVzorek& source) {
  auto copy = std::make_unique<TVzorek>();
  copy->Silence = source.Silence;
  copy->SetFileName(source.FileName);
  copy->SetSamples(source.Samples);
  copy->DIL = source.DIL;
  return copy;
}

}  // namespace liftvox
