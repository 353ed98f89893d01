#include "model/property_edits.h"

#include "model/document.h"
#include "model/names.h"

namespace liftvox {
namespace {

void SequenceChanged(TPametRevazie& document, const TSekvence& sequence) {
  document.MarkChanged();
  document.NotifyContentChanged(document.IndexOf(&sequence));
}

}  // namespace

std::optional<TriggerConflict> FindTriggerConflict(const TPametRevazie& document,
                                                   const TSekvence& edited, int32_t code,
                                                   int32_t pin, int32_t bit) {
  if (pin == 0 && bit == 0) {
    const TSekvence* holder = document.FindSequenceByCode(code);
    if (holder && holder != &edited)
      return TriggerConflict{TriggerKind::Code, document.FindSequenceByAnyCode(code)->Name};
  }
  for (const auto& sequence : document.SequenceList) {
    if (sequence.get() == &edited) continue;
    if (pin > 0 && sequence->Pin == pin) return TriggerConflict{TriggerKind::Pin, sequence->Name};
    if (bit > 0 && sequence->Bit == bit) return TriggerConflict{TriggerKind::Bit, sequence->Name};
  }
  return std::nullopt;
}

void StoreSequenceProperties(TPametRevazie& document, TSekvence& sequence,
                             const SequenceProperties& properties) {
  const std::string name = CleanSequenceName(properties.name);
  if (sequence.Priority == properties.priority && sequence.Name == name &&
      sequence.Code == properties.code && sequence.Pin == properties.pin &&
      sequence.Bit == properties.bit && sequence.InvParBit == properties.invParBit &&
      sequence.InvSerBit == properties.invSerBit && sequence.Repeat == properties.repeat)
    return;
  sequence.Priority = properties.priority;
  sequence.Name = name;
  sequence.Code = properties.code;
  sequence.Pin = properties.pin;
  sequence.Bit = properties.bit;
  sequence.InvParBit = properties.invParBit;
  sequence.InvSerBit = properties.invSerBit;
  sequence.Repeat = properties.repeat;
  SequenceChanged(document, sequence);
}

void DropFloorTriggers(TPametRevazie& document, TSekvence& sequence) {
  if (!sequence.Floor || (sequence.Pin == 0 && sequence.Bit == 0 && !sequence.InvSerBit)) return;
  sequence.Pin = 0;
  sequence.Bit = 0;
  sequence.InvSerBit = false;
  SequenceChanged(document, sequence);
}

void StoreSampleProperties(TPametRevazie& document, TVzorek& sample, int32_t samples, int32_t dil) {
  if (sample.Samples == samples && sample.DIL == dil) return;
  sample.SetSamples(samples);
  sample.DIL = dil;
  document.MarkChanged();
  document.NotifyContentChanged(sample.Sequence ? document.IndexOf(sample.Sequence)
                                                : DocumentView::kWholeDocument);
}

void StoreSampleRecording(TPametRevazie& document, TVzorek& sample, const std::string& file,
                          int32_t samples) {
  if (sample.FileName == file && sample.Samples == samples) return;
  sample.SetFileName(file);
  sample.SetSamples(samples);
  document.MarkChanged();
  document.NotifyContentChanged(sample.Sequence ? document.IndexOf(sample.Sequence)
                                                : DocumentView::kWholeDocument);
}

void SetPlayInversion(TPametRevazie& document, bool parallel, bool serial) {
  if (document.ParPlayInv == parallel && document.SerPlayInv == serial) return;
  document.ParPlayInv = parallel;
  document.SerPlayInv = serial;
  document.MarkChanged();
}

}  // namespace liftvox
