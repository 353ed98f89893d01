#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/recording_locations.h"

namespace liftvox {

class TPametRevazie;

// How far a folder tree search goes. Recordings lie a few folders below their
// configuration (Hlasky\CS\...), and a configuration kept in a home folder must
// not start a walk over the whole disk: reading 50 000 directory entries takes
// a fraction of a second, and a tree of 20 000 recordings fits.
struct RecordingSearchLimits {
  int maxDepth = 8;                // folder levels below a searched folder
  std::size_t maxEntries = 50000;  // directory entries read per searched folder
};

// Finds the recordings that configuration and wizard files name, for every
// reader alike. Stored paths come from Windows PCs as often as not: drive
// letters, network shares, '\' separators and any letter case. For one stored
// path, the first of these that names a regular file wins:
//   1. an absolute path as stored, then with each component matched without
//      regard to letter case (a drive letter or share path only on Windows);
//   2. a relative path in the configuration's folder as stored, then matched
//      without regard to case; then the same in the program's folder;
//   3. the search folders' trees: the files whose paths end in the most
//      components of the stored path, compared without regard to case
//      (Hlasky\CS\PATRO1.WAV prefers .../hlasky/cs/patro1.wav to
//      .../other/patro1.wav). When several match equally, or a case-blind
//      match finds several files, none is chosen: the recording is Ambiguous,
//      since a recording in the wrong language is worse than a refused build.
// Step 1 and 2's exact matches are Found, every other match FoundElsewhere.
// The trees are read once, on the first path that needs them, breadth first
// within RecordingSearchLimits; folders reached through links and folders
// whose names start with "." are not entered, unreadable ones are skipped.
// The folders the case-blind matches list share one more maxEntries, and one
// such match steps into at most 64 folders. Results are kept per stored path.
class RecordingFinder {
 public:
  // `configurationDir` empty: the root stands for it, where relative paths
  // have always been tried first when there is no configuration file.
  RecordingFinder(std::filesystem::path configurationDir, std::filesystem::path programDir,
                  std::vector<std::filesystem::path> searchFolders,
                  RecordingSearchLimits limits = {});

  RecordingLocation Locate(std::string_view storedPath);

  // Whether a tree search or the case-blind listings stopped at maxEntries, so
  // a better match or a second equal one may lie in what was not read.
  bool SearchCut() const { return searchCut_; }

 private:
  // Names of one folder's entries by their upper-cased form.
  using Listing = std::unordered_multimap<std::string, std::filesystem::path>;

  std::vector<std::filesystem::path> MatchIgnoringCase(const std::filesystem::path& base,
                                                       std::span<const std::string> components);
  void MatchFrom(const std::filesystem::path& folder, std::span<const std::string> components,
                 std::vector<std::filesystem::path>& matches, std::size_t& steps);
  const Listing& ListFolder(const std::filesystem::path& folder);
  void IndexTrees();
  void IndexTree(const std::filesystem::path& root);
  std::vector<std::filesystem::path> BestTails(std::span<const std::string> upperComponents);
  RecordingLocation LocateUncached(std::string_view storedPath);

  std::filesystem::path configurationDir_;
  std::filesystem::path programDir_;
  std::vector<std::filesystem::path> searchFolders_;
  RecordingSearchLimits limits_;
  std::map<std::filesystem::path, Listing> listings_;
  std::size_t listed_ = 0;  // entries read into listings_, within maxEntries
  bool indexed_ = false;
  bool searchCut_ = false;
  std::unordered_map<std::string, std::vector<std::filesystem::path>> treeFiles_;  // by upper name
  std::unordered_map<std::string, RecordingLocation> located_;
};

// The finder a configuration read uses. With its file known, relative paths
// start from that file's folder and its tree is searched; without (text from
// an announcer or an image), they start from the folder of the document's
// CurrentFileName and nothing is searched.
RecordingFinder FinderForConfiguration(const TPametRevazie& document,
                                       const std::filesystem::path& configurationFile);

// What searching the trees of `folders` (the same rules, RecordingFinder) finds
// for the document's recordings that its samples use and that were not found as
// stored: each one found now at another file than its samples use or back at
// the missing file they use, and each Missing or Ambiguous one whose
// candidates changed. A FoundElsewhere one the
// search cannot settle keeps its file. Apply with ApplyRecordingChanges.
struct RecordingSearch {
  std::vector<RecordingChange> changes;
  bool searchCut = false;  // RecordingFinder::SearchCut
};
RecordingSearch SearchRecordings(const TPametRevazie& document,
                                 const std::vector<std::filesystem::path>& folders,
                                 RecordingSearchLimits limits = {});

}  // namespace liftvox
