#pragma once

#include <map>
#include <string>
#include <vector>

namespace liftvox {

class TPametRevazie;

// How a recording named by a configuration or wizard file was found.
enum class RecordingState {
  Found,           // where the file says (as stored, beside the configuration or the program)
  FoundElsewhere,  // under other letter case or in another folder; the samples use that file
  Missing,         // nowhere
  Ambiguous,       // several files match equally well; none is used
};

// Where one recording was looked for and what was found. `usedPath` is what
// the samples' FileName holds: the file found, or for Missing and Ambiguous
// the stored path made native (a file that does not exist). `candidates`
// are an Ambiguous recording's equally good matches, sorted.
struct RecordingLocation {
  std::string storedPath;
  std::string usedPath;
  RecordingState state = RecordingState::Missing;
  std::vector<std::string> candidates;

  bool operator==(const RecordingLocation&) const = default;
};

// The document's recordings that were not found as stored, by used path. A
// sample whose FileName has no entry was found as stored or was added in the
// program. Entries are kept by path, not by sample, and are never dropped
// until the next load, so after undo or redo a sample's FileName again finds
// the entry that goes with it.
class RecordingLocations {
 public:
  // Null when nothing is recorded for `fileName`.
  const RecordingLocation* Find(const std::string& fileName) const;
  // Missing or Ambiguous: what the workspace marks and the image build refuses.
  bool IsMissing(const std::string& fileName) const;
  // Replaces the entry for location.usedPath. A Found location is not kept; it
  // only removes a Missing or Ambiguous entry for its path. When two stored
  // paths lead to one file, the entry holds the last one that was not Found.
  void Record(RecordingLocation location);
  void Clear() {
    byUsedPath_.clear();
    searchCut_ = false;
  }
  // Entries recorded with `state` (each recording once, however many samples use it).
  int Count(RecordingState state) const;
  const std::map<std::string, RecordingLocation>& All() const { return byUsedPath_; }
  bool operator==(const RecordingLocations&) const = default;
  // A folder tree search of the load stopped at its limit, so a recording it
  // reports missing or found elsewhere may lie, or lie better, in what it skipped.
  bool SearchCut() const { return searchCut_; }
  void MarkSearchCut() { searchCut_ = true; }

 private:
  std::map<std::string, RecordingLocation> byUsedPath_;
  bool searchCut_ = false;
};

// A recording the samples use that was not found as stored, with the indices
// of the sequences that use it (ascending).
struct RecordingUse {
  const RecordingLocation* location;
  std::vector<int> sequences;
};

// Every such recording once, in the order the samples first use it; entries
// kept for paths no sample uses any more are left out. The pointers live as
// long as the document's Recordings are not changed.
std::vector<RecordingUse> RecordingsInUse(const TPametRevazie& document);

// A new location for every sample whose FileName is `fileName`: the result of
// a folder search, or a file the user chose for one recording.
struct RecordingChange {
  std::string fileName;
  RecordingLocation location;
};

// Points every WAV sample whose FileName is a change's fileName at its
// location.usedPath, measures its length again when the document can, and
// records the location. The document is marked changed when a sample changed,
// and the view told once; the caller makes it one undo step. Returns how many
// samples changed.
int ApplyRecordingChanges(TPametRevazie& document, const std::vector<RecordingChange>& changes);

}  // namespace liftvox
