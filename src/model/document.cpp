#include "model/document.h"

#include <algorithm>
#include <array>

#include "base/message_format.h"
#include "model/names.h"

namespace liftvox {
namespace {

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

// Candidate codes in plain order, for FindFreeCode.
int32_t CodeAtPosition(int position) { return position; }

}  // namespace

TPametRevazie::TPametRevazie() { DilEntries.push_back(DilEntry{"DIL", 0, 0}); }

TPametRevazie::~TPametRevazie() = default;

std::string TPametRevazie::Translate(const std::string& key, const std::string& defaultText) const {
  return translator_ ? translator_->Translate(key, defaultText) : defaultText;
}

Prompter& TPametRevazie::prompter() const { return prompter_ ? *prompter_ : silent_; }

void TPametRevazie::SetModified(bool modified) {
  if (modified == modified_) return;
  modified_ = modified;
  if (view_ && !Bulk()) view_->ModifiedChanged(modified);
}

void TPametRevazie::SetImageStale(bool stale) {
  if (stale == imageStale_) return;
  imageStale_ = stale;
  if (view_ && !Bulk()) view_->ImageStaleChanged(stale);
}

void TPametRevazie::SetCurrentFileName(std::string fileName) {
  if (fileName == currentFileName_) return;
  currentFileName_ = std::move(fileName);
  if (view_ && !Bulk()) view_->FileNameChanged(currentFileName_);
}

void TPametRevazie::MarkChanged() {
  SetModified(true);
  SetImageStale(true);
}

void TPametRevazie::NotifyContentChanged(int sequenceIndex) {
  if (!Bulk()) {
    if (view_) view_->ContentChanged(sequenceIndex);
    return;
  }
  // Two different sequences held back make the whole document.
  if (held_.content && held_.contentIndex != sequenceIndex)
    sequenceIndex = DocumentView::kWholeDocument;
  held_.content = true;
  held_.contentIndex = sequenceIndex;
}

void TPametRevazie::NotifySelectionChanged() {
  if (!Bulk()) {
    if (view_) view_->SelectionChanged();
    return;
  }
  held_.selection = true;
}

// --- bulk changes ------------------------------------------------------------

TPametRevazie::BulkChange::BulkChange(TPametRevazie& document) : document_(document) {
  if (document_.bulkDepth_++ > 0) return;
  document_.held_ = Held{};
  document_.held_.modified = document_.modified_;
  document_.held_.imageStale = document_.imageStale_;
  document_.held_.fileName = document_.currentFileName_;
}

TPametRevazie::BulkChange::~BulkChange() {
  if (--document_.bulkDepth_ == 0) document_.EndBulkChange();
}

void TPametRevazie::EndBulkChange() {
  Held held = std::move(held_);
  held_ = Held{};
  if (held.selected) Select(held.selected->sequence, held.selected->sample);
  if (held.layout) RenumberPositions();
  if (!view_) return;
  if (held.content) view_->ContentChanged(held.contentIndex);
  if (held.selection) view_->SelectionChanged();
  if (held.modified != modified_) view_->ModifiedChanged(modified_);
  if (held.fileName != currentFileName_) view_->FileNameChanged(currentFileName_);
  if (held.imageStale != imageStale_) view_->ImageStaleChanged(imageStale_);
}

void TPametRevazie::Select(TSekvence* sequence, TVzorek* sample) {
  if (Bulk()) {
    // Walking every flag on each append would make a load quadratic.
    held_.selected = SelectionChange{sequence, sample};
    return;
  }
  for (auto& each : SequenceList) {
    each->Selected = false;
    for (auto& eachSample : each->SampleList) eachSample->Selected = false;
  }
  if (sequence) sequence->Selected = true;
  if (sample) sample->Selected = true;
}

void TPametRevazie::LayOut(TSekvence* sequence) {
  if (Bulk())
    held_.layout = true;
  else if (sequence)
    sequence->UpdateSamplePositions();
  else
    RenumberPositions();
}

// --- operations ----------------------------------------------------------------

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

bool TPametRevazie::CheckSampleLimit(const TSekvence& sequence) {
  if (sequence.SampleCount() < kMaxSamplesPerSequence) return true;
  prompter().Warn(
      {"SamplesTooMany", Translate("AddSample", "Přidání hlášky"),
       FormatMessage(Translate("SamplesTooMany", "Sekvence může obsahovat nejvýše %d hlášek."),
                     kMaxSamplesPerSequence)});
  return false;
}

TSekvence* TPametRevazie::AddSequence(std::unique_ptr<TSekvence> sequence) {
  return InsertSequence(std::move(sequence), -1);
}

TSekvence* TPametRevazie::InsertSequence(std::unique_ptr<TSekvence> sequence, int index) {
  if (!sequence || !CheckSequenceLimit()) return nullptr;
  if (index < 0 || index > SequenceCount()) index = SequenceCount();
  TSekvence* added = sequence.get();
  added->Name = CleanSequenceName(added->Name);
  for (auto& sample : added->SampleList) sample->Sequence = added;
  SequenceList.insert(SequenceList.begin() + index, std::move(sequence));
  Select(added, nullptr);
  CurrentSequence = added;
  LayOut(nullptr);
  MarkChanged();
  NotifyContentChanged();
  NotifySelectionChanged();
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
  Select(nullptr, nullptr);
  CurrentSample = nullptr;
  CurrentSequence = nullptr;
  SequenceList.erase(SequenceList.begin() + index);
  LayOut(nullptr);
  MarkChanged();
  NotifyContentChanged();
  NotifySelectionChanged();
}

void TPametRevazie::MoveSequence(TSekvence* sequence, int index) {
  const int from = IndexOf(sequence);
  if (from < 0) return;
  index = Clamp(index, 0, SequenceCount() - 1);
  MarkImageStale();
  if (index == from || SequenceAt(index)->Floor != sequence->Floor) return;
  auto moving = std::move(SequenceList[static_cast<std::size_t>(from)]);
  SequenceList.erase(SequenceList.begin() + from);
  SequenceList.insert(SequenceList.begin() + index, std::move(moving));
  LayOut(nullptr);
  MarkChanged();
  NotifyContentChanged();
}

TVzorek* TPametRevazie::PlaceSample(TSekvence* sequence, int index,
                                    std::unique_ptr<TVzorek> sample) {
  TVzorek* placed = sample.get();
  placed->Sequence = sequence;
  index = Clamp(index, 0, sequence->SampleCount());
  sequence->SampleList.insert(sequence->SampleList.begin() + index, std::move(sample));
  LayOut(sequence);
  MarkChanged();
  NotifyContentChanged(IndexOf(sequence));
  NotifySelectionChanged();
  return placed;
}

TVzorek* TPametRevazie::InsertSample(std::unique_ptr<TVzorek> sample, int sequenceIndex,
                                     int sampleIndex) {
  if (!sample || SequenceList.empty()) return nullptr;
  TSekvence* sequence = SequenceAt(Clamp(sequenceIndex, 0, SequenceCount() - 1));
  if (!CheckSampleLimit(*sequence)) return nullptr;
  Select(sequence, sample.get());
  CurrentSample = sample.get();
  CurrentSequence = sequence;
  return PlaceSample(sequence, sampleIndex, std::move(sample));
}

TVzorek* TPametRevazie::InsertSampleAtIndex(int index, TSekvence* sequence,
                                            std::unique_ptr<TVzorek> sample) {
  if (!sample || IndexOf(sequence) < 0 || !CheckSampleLimit(*sequence)) return nullptr;
  Select(nullptr, nullptr);
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
  LayOut(sequence);
  return detached;
}

void TPametRevazie::DeleteSample(TVzorek* sample) {
  TSekvence* sequence = sample ? sample->Sequence : nullptr;
  auto removed = DetachSample(sample);
  if (!removed) return;
  const bool focusMoved = removed->Selected || CurrentSample == sample ||
                          (held_.selected && held_.selected->sample == sample);
  if (CurrentSample == sample) CurrentSample = nullptr;
  if (held_.selected && held_.selected->sample == sample) held_.selected->sample = nullptr;
  removed.reset();
  MarkChanged();
  NotifyContentChanged(IndexOf(sequence));
  if (focusMoved) NotifySelectionChanged();
}

void TPametRevazie::MoveSample(TVzorek* sample, int sequenceIndex, int sampleIndex) {
  if (!sample || !sample->Sequence || SequenceList.empty()) return;
  TSekvence* from = sample->Sequence;
  TSekvence* to = SequenceAt(Clamp(sequenceIndex, 0, SequenceCount() - 1));
  if (to != from && !CheckSampleLimit(*to)) return;
  // One report for the two sequences it touches.
  auto batch = BeginBulkChange();
  auto moving = DetachSample(sample);
  if (!moving) return;
  InsertSample(std::move(moving), sequenceIndex, sampleIndex);
  NotifyContentChanged(IndexOf(from));
}

void TPametRevazie::RenumberPositions() {
  for (std::size_t i = 0; i < SequenceList.size(); ++i) {
    TSekvence& sequence = *SequenceList[i];
    sequence.Top = kSequenceRowHeight * static_cast<int32_t>(i);
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
  if (held_.selected) return held_.selected->sequence;
  for (const auto& sequence : SequenceList)
    if (sequence->Selected) return sequence.get();
  return nullptr;
}

TVzorek* TPametRevazie::GetSelectedSample() const {
  if (held_.selected) return held_.selected->sample;
  for (const auto& sequence : SequenceList)
    for (const auto& sample : sequence->SampleList)
      if (sample->Selected) return sample.get();
  return nullptr;
}

int TPametRevazie::SelectedSequenceIndex() const {
  return std::max(IndexOf(GetSelectedSequence()), 0);
}

int TPametRevazie::SelectedSampleIndex() const {
  const TVzorek* sample = GetSelectedSample();
  return sample ? sample->Sequence->IndexOf(sample) : -1;
}

void TPametRevazie::ClearSelection() {
  Select(nullptr, nullptr);
  NotifySelectionChanged();
}

void TPametRevazie::SelectAt(int& sampleIndex, int& sequenceIndex) {
  TSekvence* sequence = nullptr;
  TVzorek* sample = nullptr;
  if (SequenceList.empty() || sequenceIndex < 0) {
    sampleIndex = -1;
    sequenceIndex = 0;
  } else {
    sequenceIndex = std::min(sequenceIndex, SequenceCount() - 1);
    sequence = SequenceAt(sequenceIndex);
    if (sequence->SampleCount() > 0 && sampleIndex >= 0) {
      sampleIndex = std::min(sampleIndex, sequence->SampleCount() - 1);
      sample = sequence->SampleAt(sampleIndex);
    } else {
      sampleIndex = -1;
    }
  }
  Select(sequence, sample);
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
  if (held_.selected) held_.selected = SelectionChange{};
  SequenceList.clear();
  Recordings.Clear();
  MarkImageStale();
  NotifyContentChanged();
  NotifySelectionChanged();
  return true;
}

std::optional<int> TPametRevazie::FindFreeCode(int first,
                                               const std::function<int32_t(int)>& codeAt) const {
  std::array<bool, 256> taken{};
  for (const auto& sequence : SequenceList)
    if (sequence->Pin == 0 && sequence->Bit == 0 && sequence->Code >= 0 && sequence->Code < 256)
      taken[static_cast<std::size_t>(sequence->Code)] = true;
  for (int position = std::max(first, 0); position < 256; ++position) {
    const int32_t code = codeAt(position);
    if (code < 0 || code >= 256 || !taken[static_cast<std::size_t>(code)]) return position;
  }
  return std::nullopt;
}

int32_t TPametRevazie::NextGeneralCode() const {
  int32_t code = 128;
  for (const auto& sequence : SequenceList)
    if (sequence->Pin == 0 && sequence->Bit == 0 && sequence->Code > code)
      code = sequence->Code + 1;
  if (code == 256 || FindSequenceByCode(code))
    return FindFreeCode(0, CodeAtPosition).value_or(code);
  return code;
}

int32_t TPametRevazie::NextFloorCode() const {
  int32_t code = 0;
  for (const auto& sequence : SequenceList)
    if (sequence->Floor) code = std::max(code, sequence->Code + 1);
  if (code == 256 || FindSequenceByCode(code))
    return FindFreeCode(0, CodeAtPosition).value_or(code);
  return code;
}

const DilEntry* TPametRevazie::DilEntryFor(int32_t index) const {
  if (DilEntries.empty()) return nullptr;
  if (index < 0 || static_cast<std::size_t>(index) >= DilEntries.size()) return &DilEntries[0];
  return &DilEntries[static_cast<std::size_t>(index)];
}

}  // namespace liftvox
