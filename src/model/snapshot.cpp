#include "model/snapshot.h"

#include <memory>

#include "model/document.h"

namespace liftvox {
namespace {

SelectionSnapshot TakeSelection(const TPametRevazie& document) {
  SelectionSnapshot selection;
  for (int i = 0; i < document.SequenceCount(); ++i) {
    const TSekvence& sequence = *document.SequenceAt(i);
    if (sequence.Selected && selection.selectedSequence < 0) selection.selectedSequence = i;
    if (&sequence == document.CurrentSequence) selection.focusedSequence = i;
    for (int j = 0; j < sequence.SampleCount(); ++j) {
      const TVzorek* sample = sequence.SampleAt(j);
      if (sample->Selected && selection.selectedSample < 0) {
        selection.selectedSequence = i;
        selection.selectedSample = j;
      }
      if (sample == document.CurrentSample) {
        selection.focusSampleSequence = i;
        selection.focusedSample = j;
      }
    }
  }
  return selection;
}

// The sequence at `index`, or null when the index is none or out of range.
TSekvence* SequenceOrNull(const TPametRevazie& document, int index) {
  return index >= 0 && index < document.SequenceCount() ? document.SequenceAt(index) : nullptr;
}

TVzorek* SampleOrNull(const TSekvence* sequence, int index) {
  return sequence && index >= 0 && index < sequence->SampleCount() ? sequence->SampleAt(index)
                                                                   : nullptr;
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
  document.CurrentSample = nullptr;
  document.CurrentSequence = nullptr;
  std::vector<std::unique_ptr<TSekvence>> sequences;
  sequences.reserve(snapshot.Sequences.size());
  for (const SequenceSnapshot& copy : snapshot.Sequences) {
    auto sequence = std::make_unique<TSekvence>(&document);
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
    sequence->Parent = &document;
    sequence->SampleList.reserve(copy.Samples.size());
    for (const SampleSnapshot& sampleCopy : copy.Samples) {
      auto sample = std::make_unique<TVzorek>(&document);
      sample->Silence = sampleCopy.Silence;
      sample->SetFileName(sampleCopy.FileName);
      sample->SetSamples(sampleCopy.Samples);
      sample->DIL = sampleCopy.DIL;
      sample->Sequence = sequence.get();
      sequence->SampleList.push_back(std::move(sample));
    }
    sequences.push_back(std::move(sequence));
  }
  document.SequenceList = std::move(sequences);
  document.DilEntries = snapshot.DilEntries;
  document.ParPlayInv = snapshot.ParPlayInv;
  document.SerPlayInv = snapshot.SerPlayInv;
  document.RenumberPositions();

  const SelectionSnapshot& selection = snapshot.Selection;
  if (TSekvence* selected = SequenceOrNull(document, selection.selectedSequence)) {
    selected->Selected = true;
    if (TVzorek* sample = SampleOrNull(selected, selection.selectedSample)) sample->Selected = true;
  }
  document.CurrentSequence = SequenceOrNull(document, selection.focusedSequence);
  document.CurrentSample = SampleOrNull(SequenceOrNull(document, selection.focusSampleSequence),
                                        selection.focusedSample);
  document.MarkImageStale();
  document.NotifyContentChanged();
  document.NotifySelectionChanged();
}

}  // namespace liftvox
