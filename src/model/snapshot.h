#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/dil_entry.h"

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

struct ConfigurationSnapshot {
  std::vector<SequenceSnapshot> Sequences;
  std::vector<DilEntry> DilEntries;
  bool ParPlayInv = false;
  bool SerPlayInv = false;
  SelectionSnapshot Selection;

  // Equal configurations (the selection does not count).
  bool SameConfiguration(const ConfigurationSnapshot& other) const;
};

ConfigurationSnapshot TakeSnapshot(const TPametRevazie& document);

// Replaces the document's sequences, samples, DIL entries, trigger flags and
// selection by the snapshot's. Every earlier pointer to a sequence or sample
// of the document is invalid afterwards (the focus pointers are set anew).
// The image becomes stale and the view is told once. The unsaved-changes mark
// stays as it is, since whoever restores (the undo stack) knows whether that
// returns the document to its saved state; the file name, the memory size and
// the services stay too. It reads no file and asks nothing.
void RestoreSnapshot(TPametRevazie& document, const ConfigurationSnapshot& snapshot);

}  // namespace liftvox
