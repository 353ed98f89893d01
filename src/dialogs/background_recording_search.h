#pragma once

#include <QObject>

#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

#include "config/recording_finder.h"

namespace liftvox {

class TPametRevazie;

// One folder tree search for the recordings not found as stored
// (SearchRecordings), on a worker thread: a tree on a network share can take
// seconds. The worker reads a private copy of what the search needs
// (SearchInput) and touches nothing else; its result comes back on the GUI
// thread with Finished. At most one search runs at a time.
class BackgroundRecordingSearch final : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundRecordingSearch(QObject* parent = nullptr);
  // Waits for a running search (bounded by RecordingSearchLimits).
  ~BackgroundRecordingSearch() override;

  // The recordings `document` uses that were not found as stored, with the
  // folders a search starts from, in a document of their own.
  static std::shared_ptr<const TPametRevazie> SearchInput(const TPametRevazie& document);

  // False while a search runs.
  bool Start(std::shared_ptr<const TPametRevazie> input, std::filesystem::path folder);
  bool Running() const { return running_.load(); }

 signals:
  // The search's proposals, delivered on the GUI thread.
  void Finished(const liftvox::RecordingSearch& search);

 private:
  std::thread worker_;
  std::atomic<bool> running_{false};
};

}  // namespace liftvox
