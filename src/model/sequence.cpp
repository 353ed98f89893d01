#include "model/sequence.h"

namespace liftvox {

int TSekvence::IndexOf(const TVzorek* sample) const {
  for (std::size_t i = 0; i < SampleList.size(); ++i)
    if (SampleList[i].get() == sample) return static_cast<int>(i);
  return -1;
}

void TSekvence::UpdateSamplePositions() {
  for (std::size_t i = 0; i < SampleList.size(); ++i) {
    SampleList[i]->Top = Top;
    SampleList[i]->Left = kFirstSampleLeft + kSampleSpacing * static_cast<int32_t>(i);
  }
}

}  // namespace liftvox
