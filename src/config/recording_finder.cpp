#include "config/recording_finder.h"

#include <algorithm>
#include <deque>
#include <set>
#include <system_error>
#include <utility>

#include "config/paths.h"
#include "model/document.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

// Folders that differ only in case (Hlasky beside HLASKY) make a case-blind
// match branch; two results already make it ambiguous, so a few are plenty.
// The folders it steps into are counted too: links can make every branch a
// new path to the same folder, and a path may have a hundred names.
constexpr std::size_t kMaxCaseMatches = 8;
constexpr std::size_t kMaxCaseSteps = 64;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A stored path's names, cut at separators of either kind.
std::vector<std::string> StoredComponents(std::string_view stored) {
  std::vector<std::string> components;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= stored.size(); ++i) {
    if (i < stored.size() && !IsSeparator(stored[i])) continue;
    const std::string_view part = stored.substr(start, i - start);
    if (!part.empty() && part != ".") components.emplace_back(part);
    start = i + 1;
  }
  return components;
}

bool IsRecordingFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// Drive letters and network shares name places on this machine only on
// Windows; elsewhere "C:/x.wav" would be a folder "C:" below the current one.
bool UsableHere([[maybe_unused]] std::string_view stored) {
#ifdef _WIN32
  return true;
#else
  return IsSeparator(stored[0]) && (stored.size() < 2 || !IsSeparator(stored[1]));
#endif
}

std::vector<fs::path> FindExact(const fs::path& path) {
  if (IsRecordingFile(path)) return {path};
  return {};
}

std::string UpperName(const fs::path& name) { return ToUpperText(PathToUtf8(name)); }

// How many trailing names `path` shares with `upperComponents`; from the end,
// as most candidates part at their folder.
std::size_t TailLength(const fs::path& path, std::span<const std::string> upperComponents) {
  std::size_t length = 0;
  for (auto name = path.end(); name != path.begin() && length < upperComponents.size(); ++length)
    if (UpperName(*--name) != upperComponents[upperComponents.size() - 1 - length]) break;
  return length;
}

// The folder relative paths start from when no configuration file is named.
fs::path CurrentConfigurationFolder(const TPametRevazie& document) {
  const std::string& current = document.CurrentFileName();
  if (current.empty()) return {};
  std::error_code error;
  return fs::absolute(NativePath(current), error).parent_path();
}

}  // namespace

RecordingFinder::RecordingFinder(fs::path configurationDir, fs::path programDir,
                                 std::vector<fs::path> searchFolders, RecordingSearchLimits limits)
    : configurationDir_(configurationDir.empty() ? NativePath("/") : std::move(configurationDir)),
      programDir_(std::move(programDir)),
      searchFolders_(std::move(searchFolders)),
      limits_(limits) {}

RecordingLocation RecordingFinder::Locate(std::string_view storedPath) {
  std::string key(storedPath);
  if (const auto found = located_.find(key); found != located_.end()) return found->second;
  RecordingLocation location = LocateUncached(storedPath);
  located_.emplace(std::move(key), location);
  return location;
}

RecordingLocation RecordingFinder::LocateUncached(std::string_view storedPath) {
  const bool absolute = IsAbsoluteStoredPath(storedPath);
  RecordingLocation location{
      std::string(storedPath),
      PathToUtf8(absolute ? NativePath(storedPath) : programDir_ / NativePath(storedPath)),
      RecordingState::Missing,
      {}};
  // True when `matches` settles the recording: one file, or several (ambiguous).
  const auto settle = [&location](const std::vector<fs::path>& matches, RecordingState state) {
    if (matches.size() == 1) {
      location.usedPath = PathToUtf8(matches.front());
      location.state = state;
    } else if (matches.size() > 1) {
      location.state = RecordingState::Ambiguous;
      for (const fs::path& match : matches) location.candidates.push_back(PathToUtf8(match));
      std::sort(location.candidates.begin(), location.candidates.end());
    }
    return !matches.empty();
  };

  std::vector<std::string> components = StoredComponents(storedPath);
  if (components.empty()) return location;
  if (absolute && UsableHere(storedPath)) {
    const fs::path native = NativePath(storedPath);
    std::vector<std::string> names;
    for (const fs::path& name : native.relative_path()) names.push_back(PathToUtf8(name));
    if (settle(FindExact(native), RecordingState::Found) ||
        settle(MatchIgnoringCase(native.root_path(), names), RecordingState::FoundElsewhere))
      return location;
  } else if (!absolute) {
    for (const fs::path& base : {configurationDir_, programDir_}) {
      if (settle(FindExact(base / NativePath(storedPath)), RecordingState::Found) ||
          settle(MatchIgnoringCase(base, components), RecordingState::FoundElsewhere))
        return location;
    }
  }
  if (searchFolders_.empty()) return location;
  IndexTrees();
  for (std::string& component : components) component = ToUpperText(component);
  settle(BestTails(components), RecordingState::FoundElsewhere);
  return location;
}

std::vector<fs::path> RecordingFinder::MatchIgnoringCase(const fs::path& base,
                                                         std::span<const std::string> components) {
  std::vector<fs::path> matches;
  std::size_t steps = kMaxCaseSteps;
  MatchFrom(base, components, matches, steps);
  return matches;
}

void RecordingFinder::MatchFrom(const fs::path& folder, std::span<const std::string> components,
                                std::vector<fs::path>& matches, std::size_t& steps) {
  if (matches.size() >= kMaxCaseMatches || steps == 0) return;
  --steps;
  if (components.empty()) {
    if (IsRecordingFile(folder)) matches.push_back(folder);
    return;
  }
  const std::string& name = components.front();
  if (name.empty() || name == "." || name == "..") {
    MatchFrom(name == ".." ? folder / name : folder, components.subspan(1), matches, steps);
    return;
  }
  const Listing& listing = ListFolder(folder);
  const auto [first, last] = listing.equal_range(ToUpperText(name));
  for (auto it = first; it != last; ++it)
    MatchFrom(folder / it->second, components.subspan(1), matches, steps);
}

const RecordingFinder::Listing& RecordingFinder::ListFolder(const fs::path& folder) {
  const auto [listing, fresh] = listings_.try_emplace(folder);
  if (!fresh) return listing->second;
  std::error_code error;
  fs::directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    // One budget for every folder listed, as a tree search has.
    if (++listed_ > limits_.maxEntries) {
      searchCut_ = true;
      break;
    }
    const fs::path name = entry->path().filename();
    listing->second.emplace(UpperName(name), name);
  }
  return listing->second;
}

void RecordingFinder::IndexTrees() {
  if (indexed_) return;
  indexed_ = true;
  std::set<fs::path> roots;
  for (const fs::path& folder : searchFolders_) {
    std::error_code error;
    const fs::path root = fs::absolute(folder, error).lexically_normal();
    if (!error && roots.insert(root).second) IndexTree(root);
  }
  // Trees that overlap index a file twice; it is still one candidate.
  for (auto& [name, files] : treeFiles_) {
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
  }
}

void RecordingFinder::IndexTree(const fs::path& root) {
  std::deque<std::pair<fs::path, int>> folders{{root, 0}};
  std::size_t read = 0;
  while (!folders.empty()) {
    const auto [folder, depth] = std::move(folders.front());
    folders.pop_front();
    std::error_code error;
    fs::directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
      if (++read > limits_.maxEntries) {
        searchCut_ = true;
        return;
      }
      const fs::path name = entry->path().filename();
      std::error_code statusError;
      // A link is never entered: it may lead anywhere, back up the tree too.
      // The entry's own type comes with the listing, so this costs no call.
      if (!entry->is_symlink(statusError) && entry->is_directory(statusError)) {
        if (depth < limits_.maxDepth && !PathToUtf8(name).starts_with("."))
          folders.emplace_back(entry->path(), depth + 1);
      } else if (entry->is_regular_file(statusError)) {
        treeFiles_[UpperName(name)].push_back(entry->path());
      }
    }
  }
}

std::vector<fs::path> RecordingFinder::BestTails(std::span<const std::string> upperComponents) {
  const auto named = treeFiles_.find(upperComponents.back());
  if (named == treeFiles_.end()) return {};
  std::size_t best = 0;
  std::vector<fs::path> bests;
  for (const fs::path& file : named->second) {
    const std::size_t tail = TailLength(file, upperComponents);
    if (tail > best) {
      best = tail;
      bests.clear();
    }
    if (tail == best) bests.push_back(file);
  }
  return bests;
}

RecordingFinder FinderForConfiguration(const TPametRevazie& document,
                                       const fs::path& configurationFile) {
  if (configurationFile.empty())
    return RecordingFinder(CurrentConfigurationFolder(document), document.ProgramDirectory, {});
  std::error_code error;
  const fs::path folder = fs::absolute(configurationFile, error).parent_path();
  return RecordingFinder(folder, document.ProgramDirectory, {folder});
}

RecordingSearch SearchRecordings(const TPametRevazie& document,
                                 const std::vector<fs::path>& folders,
                                 RecordingSearchLimits limits) {
  RecordingFinder finder(CurrentConfigurationFolder(document), document.ProgramDirectory, folders,
                         limits);
  RecordingSearch search;
  for (const RecordingUse& use : RecordingsInUse(document)) {
    const RecordingLocation& now = *use.location;
    RecordingLocation found = finder.Locate(now.storedPath);
    if (found.state == RecordingState::Missing) continue;
    if (found.state == RecordingState::Ambiguous) {
      // A file in use beats a new doubt; the same doubt again is no news.
      if (now.state == RecordingState::FoundElsewhere || found.candidates == now.candidates)
        continue;
      found.usedPath = now.usedPath;
    } else if (found.usedPath == now.usedPath && found.state == now.state) {
      continue;  // a missing file that is back where it was stored is news
    }
    search.changes.push_back({now.usedPath, std::move(found)});
  }
  search.searchCut = finder.SearchCut();
  return search;
}

}  // namespace liftvox
