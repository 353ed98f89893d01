#include "model/document.h"

#include <algorithm>

#include "base/message_format.h"

namespace liftvox {
namespace {

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

TPametRevazie::TPametRevazie() { DilEntries.push_back(DefaultDilEntry()); }

TPametRevazie::~TPametRevazie() = default;

DilEntry TPametRevazie::DefaultDilEntry() { return DilEntry{"DIL", 0, 0}; }

std::string TPametRevazie::Translate(const std::string& key, const std::string& defaultText) const {
  return translator_ ? translator_->Translate(key, defaultText) : defaultText;
}

Prompter& TPametRevazie::prompter() const { return prompter_ ? *prompter_ : silent_; }

void TPametRevazie::SetModified(bool modified) {
  if (modified == modified_) return;
  modified_ = modified;
  if (view_) view_->ModifiedChanged(modified);
}

void TPametRevazie::SetImageStale(bool stale) {
  if (stale == imageStale_) return;
  imageStale_ = stale;
  if (view_) view_->ImageStaleChanged(stale);
}

void TPametRevazie::SetCurrentFileName(std::string fileName) {
  if (fileName == currentFileName_) return;
  currentFileName_ = std::move(fileName);
  if (view_) view_->FileNameChanged(currentFileName_);
}

void TPametRevazie::Refresh() const { NotifyContentChanged(); }

void TPametRevazie::NotifyContentChanged(int sequenceIndex) const {
  if (view_) view_->ContentChanged(sequenceIndex);
}

void TPametRevazie::NotifySelectionChanged() const {
  if (view_) view_->SelectionChanged();
}

int TPametRevazie::IndexOf(const TSekvence* sequence) const {
  for (std::size_t i = 0; i < SequenceList.size(); ++i)
    if (SequenceList[i].get() == sequence) return static_cast<int>(i);
  return -1;
}

void TPametRevazie::SetMemorySize(int32_t bytes) {
  if (bytes == MemorySize) return;
  MemorySize = bytes;
  UsedMemory = 0;
  Image.assign(static_cast<std::size_t>(std::max(bytes, 0)) + 1, 0xFF);
  MarkImageStale();
}

bool TPametRevazie::CheckSequenceLimit() {
  if (SequenceCount() < kMaxSequences) return true;
  prompter().Warn(
      {"SekvTooMany", Translate("NewSekv", "Přidání sekvence"),
       FormatMessage(Translate("SekvTooMany", "Maximální počet sekvencí je %d."), kMaxSequences)});
  return false;
}

TSekvence* TPametRevazie::AddSequence(std::unique_ptr<TSekvence> sequence) {
  return InsertSequence(std::move(sequence), -1);
}

TSekvence* TPametRevazie::InsertSequence(std::unique_ptr<TSekvence> sequence, int index) {
  if (!sequence || !CheckSequenceLimit()) return nullptr;
  if (index < 0 || index > SequenceCount()) index = SequenceCount();
  TSekvence* added = sequence.get();
  added->Parent = this;
  if (!added->Owner) added->Owner = this;
  for (auto& sample : added->SampleList) sample->Sequence = added;
  SequenceList.insert(SequenceList.begin() + index, std::move(sequence));
  ClearSelection();
  added->Selected = true;
  CurrentSequence = added;
  RenumberPositions();
  Refresh();
  MarkImageStale();
  return added;
}

bool TPametRevazie::InsertSequenceChecked(std::unique_ptr<TSekvence> sequence, int index) {
  if (!sequence) return false;
  index = Clamp(index, 0, SequenceCount());
  MarkImageStale();
  if (index < SequenceCount() && sequence->Floor != SequenceAt(index)->Floor) return false;
  return InsertSequence(std::move(sequence), index) != nullptr;
}

void TPametRevazie::DeleteSequence(TSekvence* sequence) {
  const int index = IndexOf(sequence);
  if (index < 0) return;
  ClearSelection();
  CurrentSample = nullptr;
  CurrentSequence = nullptr;
  SequenceList.erase(SequenceList.begin() + index);
  RenumberPositions();
  Refresh();
  MarkImageStale();
}

void TPametRevazie::MoveSequence(TSekvence* sequence, int index) {
  const int from = IndexOf(sequence);
  if (from < 0) return;
  index = Clamp(index, 0, SequenceCount() - 1);
  if (SequenceAt(index)->Floor == sequence->Floor && index != from) {
    auto moving = std::move(SequenceList[static_cast<std::size_t>(from)]);
    SequenceList.erase(SequenceList.begin() + from);
    SequenceList.insert(SequenceList.begin() + index, std::move(moving));
  }
  RenumberPositions();
  Refresh();
  MarkImageStale();
}

TVzorek* TPametRevazie::PlaceSample(TSekvence* sequence, int index,
                                    std::unique_ptr<TVzorek> sample) {
  TVzorek* placed = sample.get();
  placed->Sequence = sequence;
  if (!placed->Owner) placed->Owner = this;
  index = Clamp(index, 0, sequence->SampleCount());
  sequence->SampleList.insert(sequence->SampleList.begin() + index, std::move(sample));
  sequence->UpdateSamplePositions();
  Refresh();
  MarkImageStale();
  return placed;
}

TVzorek* TPametRevazie::InsertSample(std::unique_ptr<TVzorek> sample, int sequenceIndex,
                                     int sampleIndex) {
  if (!sample || SequenceList.empty()) return nullptr;
  TSekvence* sequence = SequenceAt(Clamp(sequenceIndex, 0, SequenceCount() - 1));
  ClearSelection();
  sample->Selected = true;
  sequence->Selected = true;
  CurrentSample = sample.get();
  CurrentSequence = sequence;
  return PlaceSample(sequence, sampleIndex, std::move(sample));
}

TVzorek* TPametRevazie::InsertSampleAtIndex(int index, TSekvence* sequence,
                                            std::unique_ptr<TVzorek> sample) {
  if (!sample || IndexOf(sequence) < 0) return nullptr;
  ClearSelection();
  CurrentSample = sample.get();
  return PlaceSample(sequence, index, std::move(sample));
}

TVzorek* TPametRevazie::AppendSample(TSekvence* sequence, std::unique_ptr<TVzorek> sample) {
  const int index = IndexOf(sequence);
  if (index < 0) return nullptr;
  return InsertSample(std::move(sample), index, sequence->SampleCount());
}

TVzorek* TPametRevazie::AppendSample(int sequenceIndex, std::unique_ptr<TVzorek> sample) {
  if (sequenceIndex < 0 || sequenceIndex >= SequenceCount()) return nullptr;
  return AppendSample(SequenceAt(sequenceIndex), std::move(sample));
}

std::unique_ptr<TVzorek> TPametRevazie::DetachSample(TVzorek* sample) {
  if (!sample || !sample->Sequence) return nullptr;
  TSekvence* sequence = sample->Sequence;
  const int index = sequence->IndexOf(sample);
  if (index < 0) return nullptr;
  auto detached = std::move(sequence->SampleList[static_cast<std::size_t>(index)]);
  sequence->SampleList.erase(sequence->SampleList.begin() + index);
  sequence->UpdateSamplePositions();
  return detached;
}

void TPametRevazie::DeleteSample(TVzorek* sample) {
  auto removed = DetachSample(sample);
  if (!removed) return;
  if (CurrentSample == sample) CurrentSample = nullptr;
  removed.reset();
  Refresh();
  MarkImageStale();
}

void TPametRevazie::MoveSample(TVzorek* sample, int sequenceIndex, int sampleIndex) {
  auto moving = DetachSample(sample);
  if (!moving) return;
  MarkImageStale();
  if (!InsertSample(std::move(moving), sequenceIndex, sampleIndex) && CurrentSample == sample)
    CurrentSample = nullptr;
}

void TPametRevazie::RenumberPositions() {
  for (std::size_t i = 0; i < SequenceList.size(); ++i) {
    TSekvence& sequence = *SequenceList[i];
    sequence.SetTop(kSequenceRowHeight * static_cast<int32_t>(i));
    sequence.UpdateSamplePositions();
  }
}

TSekvence* TPametRevazie::FindSequenceByCode(int32_t code) const {
  for (const auto& sequence : SequenceList)
    if (sequence->Code == code && sequence->Pin == 0 && sequence->Bit == 0) return sequence.get();
  return nullptr;
}

TSekvence* TPametRevazie::FindSequenceByAnyCode(int32_t code) const {
  for (const auto& sequence : SequenceList)
    if (sequence->Code == code) return sequence.get();
  return nullptr;
}

TSekvence* TPametRevazie::GetSelectedSequence() const {
  for (const auto& sequence : SequenceList)
    if (sequence->Selected) return sequence.get();
  return nullptr;
}

TVzorek* TPametRevazie::GetSelectedSample() const {
  for (const auto& sequence : SequenceList)
    for (const auto& sample : sequence->SampleList)
      if (sample->Selected) return sample.get();
  return nullptr;
}

int TPametRevazie::SelectedSequenceIndex() const {
  for (std::size_t i = 0; i < SequenceList.size(); ++i)
    if (SequenceList[i]->Selected) return static_cast<int>(i);
  return 0;
}

int TPametRevazie::SelectedSampleIndex() const {
  for (const auto& sequence : SequenceList)
    for (std::size_t i = 0; i < sequence->SampleList.size(); ++i)
      if (sequence->SampleList[i]->Selected) return static_cast<int>(i);
  return -1;
}

void TPametRevazie::ClearSelection() {
  for (auto& sequence : SequenceList) {
    sequence->Selected = false;
    for (auto& sample : sequence->SampleList) sample->Selected = false;
  }
}

void TPametRevazie::SelectAt(int& sampleIndex, int& sequenceIndex) {
  ClearSelection();
  TSekvence* sequence = nullptr;
  TVzorek* sample = nullptr;
  if (SequenceList.empty() || sequenceIndex < 0) {
    sampleIndex = -1;
    sequenceIndex = 0;
  } else {
    sequenceIndex = std::min(sequenceIndex, SequenceCount() - 1);
    sequence = SequenceAt(sequenceIndex);
    sequence->Selected = true;
    if (sequence->SampleCount() > 0 && sampleIndex >= 0) {
      sampleIndex = std::min(sampleIndex, sequence->SampleCount() - 1);
      sample = sequence->SampleAt(sampleIndex);
      sample->Selected = true;
    } else {
      sampleIndex = -1;
    }
  }
  CurrentSample = sample;
  CurrentSequence = sequence;
  NotifySelectionChanged();
}

bool TPametRevazie::ClearConfiguration() {
  if (modified_) {
    const Answer answer = prompter().AskYesNoCancel(
        {"ConfNotSaved", Translate("ConfSave", "Uložení konfigurace"),
         Translate("ConfNotSaved", "Současná konfigurace nebyla uložena. Přejete si ji uložit?")});
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Yes && save_) save_();
  }
  CurrentSample = nullptr;
  CurrentSequence = nullptr;
  SequenceList.clear();
  MarkImageStale();
  return true;
}

int32_t TPametRevazie::NextGeneralCode() const {
  int32_t code = 128;
  for (const auto& sequence : SequenceList)
    if (sequence->Pin == 0 && sequence->Bit == 0 && sequence->Code > code)
      code = sequence->Code + 1;
  if (code == 256 || FindSequenceByCode(code)) {
    for (int32_t candidate = 0; candidate < 256; ++candidate)
      if (!FindSequenceByCode(candidate)) return candidate;
  }
  return code;
}

int32_t TPametRevazie::NextFloorCode() const {
  int32_t code = 0;
  for (const auto& sequence : SequenceList)
    if (sequence->Floor && sequence->Code > code) code = sequence->Code + 1;
  if (code == 256 || FindSequenceByCode(code)) {
    for (int32_t candidate = 0; candidate < 256; ++candidate)
      if (!FindSequenceByCode(candidate)) return candidate;
  }
  return code;
}

const DilEntry* TPametRevazie::DilEntryFor(int32_t index) const {
  if (DilEntries.empty()) return nullptr;
  if (index < 0 || static_cast<std::size_t>(index) >= DilEntries.size()) return &DilEntries[0];
  return &DilEntries[static_cast<std::size_t>(index)];
}

}  // namespace liftvox
