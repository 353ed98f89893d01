#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/dil_entry.h"
#include "model/recording_locations.h"

namespace liftvox {

class TPametRevazie;

// A copy of everything the configuration holds, as plain values: what undo
// keeps and what a worker thread builds an image from while the document goes
// on changing. Taking or restoring one does no file I/O, asks nothing and
// reads no WAV file.
struct SampleSnapshot {
  std::string FileName;
  bool Silence = false;
  int32_t Samples = 0;
  int32_t DIL = 0;

  bool operator==(const SampleSnapshot&) const = default;
};

struct SequenceSnapshot {
  uint8_t Priority = 0;
  int32_t Code = 0;
  int32_t Pin = 0;
  int32_t Bit = 0;
  bool InvSerBit = false;
  bool InvParBit = false;
  std::string Name;
  bool Floor = false;
  uint8_t Repeat = 0;
  std::string WizardKey;
  std::vector<SampleSnapshot> Samples;

  bool operator==(const SequenceSnapshot&) const = default;
};

// One sequence of a snapshot, never changed once taken, so snapshots share
// the sequences an edit left alone: an undo step costs what it changed, not
// the whole configuration. Equal when both hold equal sequences (the same
// one, in the common case).
class SharedSequence {
 public:
  explicit SharedSequence(std::shared_ptr<const SequenceSnapshot> sequence)
      : sequence_(std::move(sequence)) {}

  const SequenceSnapshot& operator*() const { return *sequence_; }
  const SequenceSnapshot* operator->() const { return sequence_.get(); }
  // The very same copy (what sharing is measured by).
  bool SharesWith(const SharedSequence& other) const { return sequence_ == other.sequence_; }

  bool operator==(const SharedSequence& other) const {
    return sequence_ == other.sequence_ || *sequence_ == *other.sequence_;
  }

 private:
  std::shared_ptr<const SequenceSnapshot> sequence_;
};

// Where the last load (or a later search) found the recordings, shared like
// a sequence while it stays the same; null holds none. Equal when both hold
// equal entries.
class SharedRecordings {
 public:
  SharedRecordings() = default;
  explicit SharedRecordings(const RecordingLocations& recordings);

  const RecordingLocations& operator*() const;
  bool operator==(const SharedRecordings& other) const {
    return recordings_ == other.recordings_ || **this == *other;
  }

 private:
  std::shared_ptr<const RecordingLocations> recordings_;
};

// The configuration: what a save writes and an image is built from, and the
// recordings' locations, which no save writes but which undo must bring back
// with the paths they belong to (the workspace marks a missing one). The
// selection is kept apart (SelectionSnapshot), since moving it changes
// nothing that undo should hear of.
struct ConfigurationSnapshot {
  std::vector<SharedSequence> Sequences;
  std::vector<DilEntry> DilEntries;
  bool ParPlayInv = false;
  bool SerPlayInv = false;
  SharedRecordings Recordings;

  bool operator==(const ConfigurationSnapshot&) const = default;
};

// The selection and focus as positions: sequence index, and sample index
// within that sequence; -1 for none.
struct SelectionSnapshot {
  int selectedSequence = -1;
  int selectedSample = -1;
  int focusedSequence = -1;      // CurrentSequence
  int focusSampleSequence = -1;  // the sequence of CurrentSample
  int focusedSample = -1;        // CurrentSample

  bool operator==(const SelectionSnapshot&) const = default;
};

// The document's configuration. Given an earlier snapshot, every sequence
// that still equals one of it is shared rather than copied (an insertion,
// deletion or move of one sequence keeps the others shared too); comparing
// costs no allocation.
ConfigurationSnapshot TakeSnapshot(const TPametRevazie& document,
                                   const ConfigurationSnapshot* earlier = nullptr);
SelectionSnapshot TakeSelection(const TPametRevazie& document);

// Makes the document's sequences, samples, DIL entries, trigger flags and
// Recordings the snapshot's, and its selection `selection`. Sequences of the document that
// already equal the snapshot's stay as they are; the others are built anew,
// so a pointer to a sequence that differed, or to any sample of it, is
// invalid afterwards (the focus pointers are set anew). The image becomes
// stale and the view is told once. The unsaved-changes mark stays as it is,
// since whoever restores (the undo stack) knows whether that returns the
// document to its saved state; the file name, the memory size and the
// services stay too. It reads no file and asks nothing.
void RestoreSnapshot(TPametRevazie& document, const ConfigurationSnapshot& snapshot,
                     const SelectionSnapshot& selection = {});

}  // namespace liftvox
