#include "model/language_order.h"

#include <algorithm>
#include <utility>

#include "model/document.h"

namespace liftvox {
namespace {

// Line of a DIL index in the new order; 0 when it has none, so such samples
// sort with the first language.
int PoziceJazyka(const std::vector<int>& order, int dil) {
  for (std::size_t line = 0; line < order.size(); ++line)
    if (order[line] == dil) return static_cast<int>(line);
  return 0;
}

}  // namespace

int AttachSilencesToFollowingLanguage(TSekvence& sequence) {
  int following = 0;
  for (auto it = sequence.SampleList.rbegin(); it != sequence.SampleList.rend(); ++it) {
    if ((*it)->Silence)
      (*it)->DIL = following;
    else
      following = (*it)->DIL;
  }
  return following;
}

void SeradJazyky(TSekvence& sequence, const std::vector<int>& order) {
  auto& samples = sequence.SampleList;
  AttachSilencesToFollowingLanguage(sequence);

  int first = 0;
  for (int dil : order) {
    const bool used = std::any_of(samples.begin(), samples.end(),
                                  [dil](const auto& sample) { return sample->DIL == dil; });
    if (used) {
      first = dil;
      break;
    }
  }

  // The silence that separated the first language from what came before it
  // moves to the front, so it still separates once that language leads.
  auto found = std::find_if(samples.begin(), samples.end(),
                            [first](const auto& sample) { return sample->DIL == first; });
  if (found != samples.end() && (*found)->Silence) {
    (*found)->DIL = samples.front()->DIL;
    auto silence = std::move(*found);
    samples.erase(found);
    samples.insert(samples.begin(), std::move(silence));
  }

  if (samples.size() >= 2) {
    std::stable_sort(samples.begin(), samples.end(), [&order](const auto& a, const auto& b) {
      return PoziceJazyka(order, a->DIL) < PoziceJazyka(order, b->DIL);
    });
  }
  sequence.UpdateSamplePositions();
}

void ApplyLanguageOrder(TPametRevazie& document, const std::vector<int>& order) {
  for (auto& sequence : document.SequenceList) SeradJazyky(*sequence, order);
  document.MarkChanged();
  document.NotifyContentChanged();
}

}  // namespace liftvox
