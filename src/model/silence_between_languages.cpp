#include "model/silence_between_languages.h"

#include "model/document.h"
#include "model/language_order.h"

namespace liftvox {

void InsertSilenceBetweenLanguages(TPametRevazie& document, int32_t milliseconds) {
  const int32_t length = SamplesFromMilliseconds(milliseconds);
  for (auto& sequence : document.SequenceList) {
    auto& samples = sequence->SampleList;
    if (samples.size() < 2) continue;

    int carried = AttachSilencesToFollowingLanguage(*sequence);

    for (std::size_t i = 0; i < samples.size(); ++i) {
      TVzorek& sample = *samples[i];
      if (sample.DIL == carried) continue;
      carried = sample.DIL;
      if (sample.Silence) {
        sample.Samples = length;
        continue;
      }
      if (sequence->SampleCount() >= kMaxSamplesPerSequence) continue;
      auto silence = MakeSilence(document, length);
      silence->Sequence = sequence.get();
      silence->DIL = carried;
      samples.insert(samples.begin() + static_cast<std::ptrdiff_t>(i), std::move(silence));
      ++i;  // step over the sample the silence now stands before
    }
    sequence->UpdateSamplePositions();
  }
  document.MarkChanged();
  document.NotifyContentChanged();
}

}  // namespace liftvox
