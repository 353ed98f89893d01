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
#include "model/recording_locations.h"
#include "model/sequence.h"
#include "model/translator.h"

namespace liftvox {

inline constexpr int kMaxSequences = 256;

// The most samples one sequence may hold. The image finds a sequence's sample
// records through 16-bit offsets: after the smallest directory (16 bytes) a
// lone sequence's 16-byte records and their terminator must end by byte
// 65536, so (65536 - 16) / 16 - 1 = 4094. Sequences share that space, so the
// image build may still refuse a configuration within this limit.
inline constexpr int kMaxSamplesPerSequence = 4094;

// The configuration document: the ordered sequences with their samples, the
// DIL entry list, the configuration-wide trigger flags and the memory image
// buffer. One instance lives as long as the program; "new" and "open" empty
// and refill it. Lists own their elements; CurrentSample/CurrentSequence are
// focus pointers that never point at a destroyed object.
//
// Every operation below that changes what a save would write marks the
// document modified and the image stale, and tells the view what changed;
// the loaders (new, open, the readers) end unmodified. Operations given a null
// sequence or sample do nothing. The editing invariants (general sequences
// before floors, Top = 48 x index, sample Left = 112 + 103 x index) are kept
// by the operations, not enforced on loading.
class TPametRevazie {
 public:
  TPametRevazie();
  ~TPametRevazie();
  TPametRevazie(const TPametRevazie&) = delete;
  TPametRevazie& operator=(const TPametRevazie&) = delete;

  // --- state -------------------------------------------------------------
  // Code that changes these directly marks and notifies itself (SetModified,
  // MarkImageStale, NotifyContentChanged).
  int32_t MemorySize = 0;
  int32_t UsedMemory = 0;
  TVzorek* CurrentSample = nullptr;
  TSekvence* CurrentSequence = nullptr;
  std::vector<std::unique_ptr<TSekvence>> SequenceList;
  std::vector<uint8_t> Image;

  std::vector<DilEntry> DilEntries;  // starts with the single entry "DIL"
  bool ParPlayInv = false;
  bool SerPlayInv = false;
  // The recordings the last load did not find as stored; emptied with the
  // configuration. Saves ignore it; undo brings it back with the paths.
  RecordingLocations Recordings;

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
  bool HasSampleLengthMeasure() const { return static_cast<bool>(measure_); }
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
  // Modified and image stale: what every edit of the configuration sets.
  void MarkChanged();

  // Tell the view; for changes made to the lists or fields directly.
  void NotifyContentChanged(int sequenceIndex = DocumentView::kWholeDocument);
  void NotifySelectionChanged();

  // --- bulk changes --------------------------------------------------------
  // While a BulkChange lives, the view hears nothing and positions (Top,
  // Left) are not laid out; when the outermost one ends, positions are laid
  // out once and the view is told once of each kind of change (a mark only
  // when its value differs from the one at the start). The Selected flags are
  // set at the end too, but the selection queries below already answer with
  // the new selection; change the selection only through the operations while
  // a bulk change lives. Loading uses it, so a load costs time in proportion
  // to what it reads. A load's messages come while its bulk change lives, so
  // a view that paints during one sees positions not yet laid out.
  class [[nodiscard]] BulkChange {
   public:
    ~BulkChange();
    BulkChange(const BulkChange&) = delete;
    BulkChange& operator=(const BulkChange&) = delete;

   private:
    friend class TPametRevazie;
    explicit BulkChange(TPametRevazie& document);
    TPametRevazie& document_;
  };
  BulkChange BeginBulkChange() { return BulkChange(*this); }

  // --- operations ---------------------------------------------------------
  int SequenceCount() const { return static_cast<int>(SequenceList.size()); }
  TSekvence* SequenceAt(int index) const {
    return SequenceList[static_cast<std::size_t>(index)].get();
  }
  int IndexOf(const TSekvence* sequence) const;  // -1 when not in the list

  // Resizes the image buffer; the image becomes stale (the configuration is
  // the same, so the document stays unmodified).
  void SetMemorySize(int32_t bytes);

  // Append / insert; refused with the "SekvTooMany" message at 256 sequences
  // (the offered sequence is then dropped). The sequence's name is cleaned
  // (CleanSequenceName); it becomes the selected and focused one. Return the
  // sequence kept, or null.
  TSekvence* AddSequence(std::unique_ptr<TSekvence> sequence);
  TSekvence* InsertSequence(std::unique_ptr<TSekvence> sequence, int index);
  // Refuses (false) a sequence that would stand among the other kind; the
  // image is marked stale either way.
  bool InsertSequenceChecked(std::unique_ptr<TSekvence> sequence, int index);
  void DeleteSequence(TSekvence* sequence);
  // Moves within its own kind only; otherwise the order stays.
  void MoveSequence(TSekvence* sequence, int index);

  // Sample insertions are refused with the "SamplesTooMany" message when the
  // sequence already holds kMaxSamplesPerSequence samples (the offered sample
  // is dropped, a moved one stays where it was); they return the sample kept,
  // or null. InsertSample clamps both indices, and selects and focuses the
  // sample and its sequence; InsertSampleAtIndex only focuses the sample.
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
  int SelectedSequenceIndex() const;  // 0 when none
  int SelectedSampleIndex() const;    // within its sequence; -1 when none
  void ClearSelection();
  void SelectAt(int& sampleIndex, int& sequenceIndex);
  // Asks about unsaved changes; false when cancelled, else empties the
  // sequence list and Recordings (the DIL entries and the modified mark stay)
  // and returns true.
  bool ClearConfiguration();

  // Codes for a new sequence. General: from 128, one above any higher code of
  // a code-triggered sequence. Floor: one above the highest floor code, so a
  // coding that starts the floors elsewhere than 0 goes on where they end.
  // Either way, when that is 256 or already a code-triggered sequence's code,
  // the lowest free code; when all 256 are taken, the candidate stays.
  int32_t NextGeneralCode() const;
  int32_t NextFloorCode() const;

  // The free-code search every numbering shares: tries the candidate codes
  // codeAt(first), codeAt(first + 1), ... codeAt(255) in turn and returns the
  // position of the first that no code-triggered sequence (Pin 0, Bit 0)
  // holds, or nullopt when none is free.
  std::optional<int> FindFreeCode(int first, const std::function<int32_t(int)>& codeAt) const;

  // The DIL entry a sample refers to; an index past the end means entry 0.
  // Null only when the list is empty.
  const DilEntry* DilEntryFor(int32_t index) const;

 private:
  struct SelectionChange {
    TSekvence* sequence = nullptr;
    TVzorek* sample = nullptr;
  };
  // What a bulk change holds back, and the marks as they were at its start.
  struct Held {
    bool content = false;
    int contentIndex = DocumentView::kWholeDocument;
    bool selection = false;
    bool layout = false;
    std::optional<SelectionChange> selected;  // Selected flags still to set
    bool modified = false;
    bool imageStale = false;
    std::string fileName;
  };

  bool Bulk() const { return bulkDepth_ > 0; }
  void EndBulkChange();
  // Clears every Selected flag, then sets the given ones (either may be null).
  void Select(TSekvence* sequence, TVzorek* sample);
  void LayOut(TSekvence* sequence);  // null: every sequence
  bool CheckSequenceLimit();
  bool CheckSampleLimit(const TSekvence& sequence);
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
  int bulkDepth_ = 0;
  Held held_;
};

}  // namespace liftvox
