#include "dialogs/background_recording_search.h"

#include <utility>

#include "model/document.h"

namespace liftvox {

BackgroundRecordingSearch::BackgroundRecordingSearch(QObject* parent) : QObject(parent) {}

BackgroundRecordingSearch::~BackgroundRecordingSearch() {
  if (worker_.joinable()) worker_.join();
}

std::shared_ptr<const TPametRevazie> BackgroundRecordingSearch::SearchInput(
    const TPametRevazie& document) {
  auto input = std::make_shared<TPametRevazie>();
  input->ProgramDirectory = document.ProgramDirectory;
  input->SetCurrentFileName(document.CurrentFileName());
  input->Recordings = document.Recordings;
  // One sample per recording is all the search looks at.
  auto sequence = std::make_unique<TSekvence>();
  for (const RecordingUse& use : RecordingsInUse(document)) {
    auto& sample = sequence->SampleList.emplace_back(std::make_unique<TVzorek>());
    sample->FileName = use.location->usedPath;
    sample->Sequence = sequence.get();
  }
  input->SequenceList.push_back(std::move(sequence));
  return input;
}

bool BackgroundRecordingSearch::Start(std::shared_ptr<const TPametRevazie> input,
                                      std::filesystem::path folder) {
  if (running_.exchange(true)) return false;
  if (worker_.joinable()) worker_.join();  // the last one has finished
  worker_ = std::thread([this, input = std::move(input), folder = std::move(folder)] {
    RecordingSearch search;
    try {
      search = SearchRecordings(*input, {folder});
    } catch (...) {
      // A folder that cannot be read proposes nothing.
    }
    QMetaObject::invokeMethod(
        this,
        [this, search = std::move(search)] {
          running_.store(false);
          emit Finished(search);
        },
        Qt::QueuedConnection);
  });
  return true;
}

}  // namespace liftvox
