#include "model/recording_locations.h"

#include <unordered_map>

#include "model/document.h"

namespace liftvox {

const RecordingLocation* RecordingLocations::Find(const std::string& fileName) const {
  const auto found = byUsedPath_.find(fileName);
  return found == byUsedPath_.end() ? nullptr : &found->second;
}

bool RecordingLocations::IsMissing(const std::string& fileName) const {
  const RecordingLocation* location = Find(fileName);
  return location && (location->state == RecordingState::Missing ||
                      location->state == RecordingState::Ambiguous);
}

void RecordingLocations::Record(RecordingLocation location) {
  if (location.state == RecordingState::Found) {
    // The file is there now; another stored path may still have led to it.
    if (IsMissing(location.usedPath)) byUsedPath_.erase(location.usedPath);
    return;
  }
  std::string key = location.usedPath;
  byUsedPath_.insert_or_assign(std::move(key), std::move(location));
}

int RecordingLocations::Count(RecordingState state) const {
  int count = 0;
  for (const auto& entry : byUsedPath_) count += entry.second.state == state ? 1 : 0;
  return count;
}

std::vector<RecordingUse> RecordingsInUse(const TPametRevazie& document) {
  std::vector<RecordingUse> uses;
  std::unordered_map<const RecordingLocation*, std::size_t> position;
  for (int i = 0; i < document.SequenceCount(); ++i) {
    for (const auto& sample : document.SequenceAt(i)->SampleList) {
      const RecordingLocation* location =
          sample->Silence ? nullptr : document.Recordings.Find(sample->FileName);
      if (!location) continue;
      const auto [at, fresh] = position.emplace(location, uses.size());
      if (fresh) uses.push_back({location, {}});
      std::vector<int>& sequences = uses[at->second].sequences;
      if (sequences.empty() || sequences.back() != i) sequences.push_back(i);
    }
  }
  return uses;
}

int ApplyRecordingChanges(TPametRevazie& document, const std::vector<RecordingChange>& changes) {
  if (changes.empty()) return 0;
  std::unordered_map<std::string, const RecordingLocation*> byFileName;
  for (const RecordingChange& change : changes) byFileName[change.fileName] = &change.location;

  auto batch = document.BeginBulkChange();
  int changed = 0;
  for (const auto& sequence : document.SequenceList) {
    for (const auto& sample : sequence->SampleList) {
      if (sample->Silence) continue;
      const auto found = byFileName.find(sample->FileName);
      if (found == byFileName.end() || found->second->usedPath == sample->FileName) continue;
      sample->FileName = found->second->usedPath;
      sample->Samples = document.MeasureSampleLength(sample->FileName).value_or(sample->Samples);
      ++changed;
    }
  }
  // An entry for the old path stays: undo brings that path back.
  for (const RecordingChange& change : changes) document.Recordings.Record(change.location);
  if (changed > 0) document.MarkChanged();
  // A recording found where its samples already point is no longer marked.
  document.NotifyContentChanged();
  return changed;
}

}  // namespace liftvox
