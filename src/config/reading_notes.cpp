#include "config/reading_notes.h"

#include "base/message_format.h"
#include "model/document.h"

namespace liftvox {
namespace {

constexpr std::size_t kNamesListed = 3;

}  // namespace

int32_t ReadingNotes::Silence(int32_t storedSamples) {
  const int32_t samples = ClampSilenceSamples(storedSamples);
  if (samples != storedSamples) ++clampedSilences_;
  return samples;
}

void ReadingNotes::SamplesCut(std::string_view sequenceName) {
  cutSequences_.emplace_back(sequenceName);
}

void ReadingNotes::SequencesLeftOut(int count) { sequencesLeftOut_ += count; }

bool ReadingNotes::Empty() const {
  return clampedSilences_ == 0 && cutSequences_.empty() && sequencesLeftOut_ == 0;
}

void ReadingNotes::Report(const TPametRevazie& document) const {
  const std::string caption = document.Translate("ConfLoad", "Načítání konfigurace");
  if (sequencesLeftOut_ > 0) {
    document.prompter().Warn(
        {"SekvCut", caption,
         FormatMessage(document.Translate("SekvCut",
                                          "Konfigurace může obsahovat nejvýše %d "
                                          "sekvencí; %d dalších nebylo načteno."),
                       kMaxSequences, sequencesLeftOut_)});
  }
  if (!cutSequences_.empty()) {
    std::string names;
    for (std::size_t i = 0; i < cutSequences_.size() && i < kNamesListed; ++i)
      names += (i > 0 ? ", \"" : "\"") + cutSequences_[i] + '"';
    if (cutSequences_.size() > kNamesListed)
      names += ", ... (" + std::to_string(cutSequences_.size()) + ")";
    document.prompter().Warn(
        {"SamplesCut", caption,
         FormatMessage(document.Translate("SamplesCut",
                                          "Sekvence může obsahovat nejvýše %d hlášek; zbytek "
                                          "nebyl načten u sekvencí %s."),
                       kMaxSamplesPerSequence, names)});
  }
  if (clampedSilences_ > 0) {
    document.prompter().Warn(
        {"SilenceClamped", caption,
         FormatMessage(document.Translate("SilenceClamped",
                                          "Ticho může trvat %d až %d vzorků; délka %d tich ze "
                                          "souboru byla upravena do tohoto rozsahu."),
                       kShortestSilenceSamples, kLongestSilenceSamples, clampedSilences_)});
  }
}

}  // namespace liftvox
