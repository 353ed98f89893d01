#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/dil_entry.h"
#include "model/document_view.h"
#include "model/prompter.h"
#include "model/sequence.h"
#include "model/translator.h"

namespace liftvox {

inline constexpr int kMaxSequences = 256;

// The configuration document: the ordered sequences with their samples, the
// DIL entry list, the configuration-wide trigger flags and the memory image
// buffer. One instance lives as long as the program; "new" and "open" empty
// and refill it. Lists own their elements; CurrentSample/CurrentSequence are
// focus pointers that never point at a destroyed object.
//
// Operations given a null sequence or sample do nothing. The editing
// invariants (general sequences before floors, Top = 48 x index, sample Left =
// 112 + 103 x index) are kept by the operations, not enforced on loading.
class TPametRevazie {
 public:
  TPametRevazie();
  ~TPametRevazie();
  TPametRevazie(const TPametRevazie&) = delete;
  TPametRevazie& operator=(const TPametRevazie&) = delete;

  // --- state -------------------------------------------------------------
  int32_t MemorySize = 0;
  int32_t UsedMemory = 0;
  TVzorek* CurrentSample = nullptr;
  TSekvence* CurrentSequence = nullptr;
  std::vector<std::unique_ptr<TSekvence>> SequenceList;
  std::vector<uint8_t> Image;

  std::vector<DilEntry> DilEntries;  // starts with the single entry "DIL"
  bool ParPlayInv = false;
  bool SerPlayInv = false;

  // --- services (set by whoever owns the document) ------------------------
  // Null translator: the built-in Czech texts. Null prompter: nothing is shown
  // and questions are answered No. Null view: nobody is told.
  void SetTranslator(const Translator* translator) { translator_ = translator; }
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }
  void SetView(DocumentView* view) { view_ = view; }
  // Measures a WAV sample's length in frames when a configuration or wizard
  // file loads, so the memory estimate counts what the files really hold;
  // nothing keeps the stored length. Unset: stored lengths are kept.
  using SampleLengthMeasure = std::function<std::optional<int32_t>(const std::string& fileName)>;
  void SetSampleLengthMeasure(SampleLengthMeasure measure) { measure_ = std::move(measure); }
  std::optional<int32_t> MeasureSampleLength(const std::string& fileName) const {
    return measure_ ? measure_(fileName) : std::nullopt;
  }
  // Runs the save command when the unsaved-changes question is answered Yes.
  void SetSaveCommand(std::function<void()> save) { save_ = std::move(save); }
  // Upper-case icon file names; DIL entries refer to them by position.
  std::vector<std::string> IconNames;
  // The folder stored sample paths are relative to (the program's folder).
  std::filesystem::path ProgramDirectory;

  std::string Translate(const std::string& key, const std::string& defaultText) const;
  Prompter& prompter() const;

  // --- marks (each change is told to the view) -----------------------------
  // Unsaved changes.
  bool IsModified() const { return modified_; }
  void SetModified(bool modified);
  // The image no longer matches the configuration; only a successful build
  // clears it.
  bool IsImageStale() const { return imageStale_; }
  void MarkImageStale() { SetImageStale(true); }
  void SetImageStale(bool stale);
  // The configuration's file; empty while it has none.
  const std::string& CurrentFileName() const { return currentFileName_; }
  void SetCurrentFileName(std::string fileName);

  // Tell the view; for changes made to the lists or fields directly.
  void NotifyContentChanged(int sequenceIndex = DocumentView::kWholeDocument) const;
  void NotifySelectionChanged() const;

  // --- operations ---------------------------------------------------------
  int SequenceCount() const { return static_cast<int>(SequenceList.size()); }
  TSekvence* SequenceAt(int index) const {
    return SequenceList[static_cast<std::size_t>(index)].get();
  }
  int IndexOf(const TSekvence* sequence) const;  // -1 when not in the list

  void SetMemorySize(int32_t bytes);

  // Append / insert; refused with the "SekvTooMany" message at 256 sequences
  // (the offered sequence is then dropped). Return the sequence kept, or null.
  TSekvence* AddSequence(std::unique_ptr<TSekvence> sequence);
  TSekvence* InsertSequence(std::unique_ptr<TSekvence> sequence, int index);
  // Refuses (false) a sequence that would stand among the other kind.
  bool InsertSequenceChecked(std::unique_ptr<TSekvence> sequence, int index);
  void DeleteSequence(TSekvence* sequence);
  void MoveSequence(TSekvence* sequence, int index);

  TVzorek* InsertSample(std::unique_ptr<TVzorek> sample, int sequenceIndex, int sampleIndex);
  TVzorek* InsertSampleAtIndex(int index, TSekvence* sequence, std::unique_ptr<TVzorek> sample);
  TVzorek* AppendSample(TSekvence* sequence, std::unique_ptr<TVzorek> sample);
  TVzorek* AppendSample(int sequenceIndex, std::unique_ptr<TVzorek> sample);
  void DeleteSample(TVzorek* sample);
  void MoveSample(TVzorek* sample, int sequenceIndex, int sampleIndex);

  void RenumberPositions();
  TSekvence* FindSequenceByCode(int32_t code) const;
  TSekvence* FindSequenceByAnyCode(int32_t code) const;
  TSekvence* GetSelectedSequence() const;
  TVzorek* GetSelectedSample() const;
  int SelectedSequenceIndex() const;
  int SelectedSampleIndex() const;
  void ClearSelection();
  void SelectAt(int& sampleIndex, int& sequenceIndex);
  // Asks about unsaved changes; false when cancelled, else empties the
  // sequence list (the DIL entries stay) and returns true.
  bool ClearConfiguration();

  int32_t NextGeneralCode() const;
  int32_t NextFloorCode() const;

  // The DIL entry a sample refers to; an index past the end means entry 0.
  // Null only when the list is empty.
  const DilEntry* DilEntryFor(int32_t index) const;
  // The one entry a document starts with.
  static DilEntry DefaultDilEntry();

 private:
  void Refresh() const;
  bool CheckSequenceLimit();
  TVzorek* PlaceSample(TSekvence* sequence, int index, std::unique_ptr<TVzorek> sample);
  std::unique_ptr<TVzorek> DetachSample(TVzorek* sample);

  const Translator* translator_ = nullptr;
  Prompter* prompter_ = nullptr;
  mutable SilentPrompter silent_;
  DocumentView* view_ = nullptr;
  std::function<void()> save_;
  SampleLengthMeasure measure_;
  bool modified_ = false;
  bool imageStale_ = true;
  std::string currentFileName_;
};

}  // namespace liftvox
