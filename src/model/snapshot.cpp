#include "model/snapshot.h"

#include <memory>

#include "model/document.h"

namespace liftvox {
namespace {

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

}  // namespace

bool ConfigurationSnapshot::SameConfiguration(const ConfigurationSnapshot& other) const {
  return Sequences == other.Sequences && DilEntries == other.DilEntries &&
         ParPlayInv == other.ParPlayInv && SerPlayInv == other.SerPlayInv;
}

ConfigurationSnapshot TakeSnapshot(const TPametRevazie& document) {
  ConfigurationSnapshot snapshot;
  snapshot.Sequences.reserve(document.SequenceList.size());
  for (const auto& sequence : document.SequenceList) {
    SequenceSnapshot& copy = snapshot.Sequences.emplace_back();
    copy.Priority = sequence->Priority;
    copy.Code = sequence->Code;
    copy.Pin = sequence->Pin;
    copy.Bit = sequence->Bit;
    copy.InvSerBit = sequence->InvSerBit;
    copy.InvParBit = sequence->InvParBit;
    copy.Name = sequence->Name;
    copy.Floor = sequence->Floor;
    copy.Repeat = sequence->Repeat;
    copy.WizardKey = sequence->WizardKey;
    copy.Samples.reserve(sequence->SampleList.size());
    for (const auto& sample : sequence->SampleList)
      copy.Samples.push_back({sample->FileName, sample->Silence, sample->Samples, sample->DIL});
  }
  snapshot.DilEntries = document.DilEntries;
  snapshot.ParPlayInv = document.ParPlayInv;
  snapshot.SerPlayInv = document.SerPlayInv;
  snapshot.Selection = TakeSelection(document);
  return snapshot;
}

void RestoreSnapshot(TPametRevazie& document, const ConfigurationSnapshot& snapshot) {
  auto batch = document.BeginBulkChange();
  std::vector<std::unique_ptr<TSekvence>> sequences;
  sequences.reserve(snapshot.Sequences.size());
  for (const SequenceSnapshot& copy : snapshot.Sequences) {
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
    sequences.push_back(std::move(sequence));
  }
  // Nothing may keep pointing into the lists about to go.
  document.CurrentSample = nullptr;
  document.CurrentSequence = nullptr;
  document.SequenceList = std::move(sequences);
  document.DilEntries = snapshot.DilEntries;
  document.ParPlayInv = snapshot.ParPlayInv;
  document.SerPlayInv = snapshot.SerPlayInv;
  document.RenumberPositions();

  const SelectionSnapshot& selection = snapshot.Selection;
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
