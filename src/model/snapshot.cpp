#include "model/snapshot.h"

#include <array>
#include <memory>

#include "model/document.h"

namespace liftvox {
namespace {

bool Matches(const TVzorek& live, const SampleSnapshot& kept) {
  return live.Samples == kept.Samples && live.DIL == kept.DIL && live.Silence == kept.Silence &&
         live.FileName == kept.FileName;
}

// A live sequence against a kept one, field by field, without copying it.
bool Matches(const TSekvence& live, const SequenceSnapshot& kept) {
  if (live.SampleList.size() != kept.Samples.size() || live.Code != kept.Code ||
      live.Pin != kept.Pin || live.Bit != kept.Bit || live.Priority != kept.Priority ||
      live.InvSerBit != kept.InvSerBit || live.InvParBit != kept.InvParBit ||
      live.Floor != kept.Floor || live.Repeat != kept.Repeat || live.Name != kept.Name ||
      live.WizardKey != kept.WizardKey)
    return false;
  for (std::size_t i = 0; i < kept.Samples.size(); ++i)
    if (!Matches(*live.SampleList[i], kept.Samples[i])) return false;
  return true;
}

// Where entry `index` of a list of `count` entries may have stood in an
// earlier list of `earlierCount`: the same place counted from the front and
// from the back (one stretch changed in between), and one place either side
// (one entry inserted, deleted or moved shifts those after it by one).
std::array<int, 4> EarlierPlaces(int index, int count, int earlierCount) {
  return {index, index + earlierCount - count, index - 1, index + 1};
}

std::shared_ptr<const SequenceSnapshot> Copy(const TSekvence& sequence) {
  auto copy = std::make_shared<SequenceSnapshot>();
  copy->Priority = sequence.Priority;
  copy->Code = sequence.Code;
  copy->Pin = sequence.Pin;
  copy->Bit = sequence.Bit;
  copy->InvSerBit = sequence.InvSerBit;
  copy->InvParBit = sequence.InvParBit;
  copy->Name = sequence.Name;
  copy->Floor = sequence.Floor;
  copy->Repeat = sequence.Repeat;
  copy->WizardKey = sequence.WizardKey;
  copy->Samples.reserve(sequence.SampleList.size());
  for (const auto& sample : sequence.SampleList)
    copy->Samples.push_back({sample->FileName, sample->Silence, sample->Samples, sample->DIL});
  return copy;
}

std::unique_ptr<TSekvence> Build(const SequenceSnapshot& copy) {
  auto sequence = std::make_unique<TSekvence>();
  sequence->Priority = copy.Priority;
  sequence->Code = copy.Code;
  sequence->Pin = copy.Pin;
  sequence->Bit = copy.Bit;
  sequence->InvSerBit = copy.InvSerBit;
  sequence->InvParBit = copy.InvParBit;
  sequence->Name = copy.Name;
  sequence->Floor = copy.Floor;
  sequence->Repeat = copy.Repeat;
  sequence->WizardKey = copy.WizardKey;
  sequence->SampleList.reserve(copy.Samples.size());
  for (const SampleSnapshot& sampleCopy : copy.Samples) {
    auto& sample = sequence->SampleList.emplace_back(std::make_unique<TVzorek>());
    sample->FileName = sampleCopy.FileName;
    sample->Silence = sampleCopy.Silence;
    sample->Samples = sampleCopy.Samples;
    sample->DIL = sampleCopy.DIL;
    sample->Sequence = sequence.get();
  }
  return sequence;
}

}  // namespace

SharedRecordings::SharedRecordings(const RecordingLocations& recordings)
    : recordings_(recordings.All().empty() && !recordings.SearchCut()
                      ? nullptr
                      : std::make_shared<const RecordingLocations>(recordings)) {}

const RecordingLocations& SharedRecordings::operator*() const {
  static const RecordingLocations kNone;
  return recordings_ ? *recordings_ : kNone;
}

ConfigurationSnapshot TakeSnapshot(const TPametRevazie& document,
                                   const ConfigurationSnapshot* earlier) {
  ConfigurationSnapshot snapshot;
  const int count = document.SequenceCount();
  const int earlierCount = earlier ? static_cast<int>(earlier->Sequences.size()) : 0;
  snapshot.Sequences.reserve(document.SequenceList.size());
  for (int i = 0; i < count; ++i) {
    const TSekvence& sequence = *document.SequenceAt(i);
    const SharedSequence* shared = nullptr;
    for (const int place : EarlierPlaces(i, count, earlierCount)) {
      if (place < 0 || place >= earlierCount) continue;
      const SharedSequence& candidate = earlier->Sequences[static_cast<std::size_t>(place)];
      if (Matches(sequence, *candidate)) {
        shared = &candidate;
        break;
      }
    }
    snapshot.Sequences.push_back(shared ? *shared : SharedSequence(Copy(sequence)));
  }
  snapshot.DilEntries = document.DilEntries;
  snapshot.ParPlayInv = document.ParPlayInv;
  snapshot.SerPlayInv = document.SerPlayInv;
  snapshot.Recordings = earlier && *earlier->Recordings == document.Recordings
                            ? earlier->Recordings
                            : SharedRecordings(document.Recordings);
  return snapshot;
}

// Asks the document rather than reading the flags, which a bulk change may
// not have set yet.
SelectionSnapshot TakeSelection(const TPametRevazie& document) {
  SelectionSnapshot selection;
  if (const TVzorek* sample = document.GetSelectedSample()) {
    selection.selectedSequence = document.IndexOf(sample->Sequence);
    selection.selectedSample = sample->Sequence->IndexOf(sample);
  } else {
    selection.selectedSequence = document.IndexOf(document.GetSelectedSequence());
  }
  selection.focusedSequence = document.IndexOf(document.CurrentSequence);
  if (const TVzorek* sample = document.CurrentSample) {
    selection.focusSampleSequence = document.IndexOf(sample->Sequence);
    selection.focusedSample = sample->Sequence->IndexOf(sample);
  }
  return selection;
}

void RestoreSnapshot(TPametRevazie& document, const ConfigurationSnapshot& snapshot,
                     const SelectionSnapshot& selection) {
  auto batch = document.BeginBulkChange();
  // Nothing may keep pointing into sequences about to go.
  document.CurrentSample = nullptr;
  document.CurrentSequence = nullptr;
  std::vector<std::unique_ptr<TSekvence>> live = std::move(document.SequenceList);
  const int liveCount = static_cast<int>(live.size());
  const int count = static_cast<int>(snapshot.Sequences.size());
  std::vector<std::unique_ptr<TSekvence>> sequences;
  sequences.reserve(snapshot.Sequences.size());
  for (int i = 0; i < count; ++i) {
    const SequenceSnapshot& copy = *snapshot.Sequences[static_cast<std::size_t>(i)];
    std::unique_ptr<TSekvence> kept;
    for (const int place : EarlierPlaces(i, count, liveCount)) {
      if (place < 0 || place >= liveCount) continue;
      std::unique_ptr<TSekvence>& candidate = live[static_cast<std::size_t>(place)];
      if (candidate && Matches(*candidate, copy)) {
        kept = std::move(candidate);
        break;
      }
    }
    sequences.push_back(kept ? std::move(kept) : Build(copy));
  }
  document.SequenceList = std::move(sequences);
  live.clear();
  document.DilEntries = snapshot.DilEntries;
  document.ParPlayInv = snapshot.ParPlayInv;
  document.SerPlayInv = snapshot.SerPlayInv;
  document.Recordings = *snapshot.Recordings;
  document.RenumberPositions();

  int sample = selection.selectedSample;
  int sequence = selection.selectedSequence;
  document.SelectAt(sample, sequence);
  const auto sequenceAt = [&document](int index) {
    return index >= 0 && index < document.SequenceCount() ? document.SequenceAt(index) : nullptr;
  };
  document.CurrentSequence = sequenceAt(selection.focusedSequence);
  const TSekvence* focusSequence = sequenceAt(selection.focusSampleSequence);
  document.CurrentSample = focusSequence && selection.focusedSample >= 0 &&
                                   selection.focusedSample < focusSequence->SampleCount()
                               ? focusSequence->SampleAt(selection.focusedSample)
                               : nullptr;
  document.MarkImageStale();
  document.NotifyContentChanged();
}

}  // namespace liftvox
