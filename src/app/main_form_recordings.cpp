// The missing recordings: the dialog after opening a configuration whose
// recordings were not all found, and the Message menu's command that shows it.
#include <QAction>

#include "app/main_form.h"
#include "dialogs/missing_recordings_dialog.h"
#include "model/recording_locations.h"

namespace liftvox {

void TMainForm::OfferMissingRecordings() {
  const RecordingLocations& recordings = session_.Document().Recordings;
  if (recordings.Count(RecordingState::Missing) + recordings.Count(RecordingState::Ambiguous) > 0)
    Hlaska_ChybejiciNahravky();
}

void TMainForm::Hlaska_ChybejiciNahravky() {
  TPametRevazie& document = session_.Document();
  if (!missingRecordingsForm_->Open(document)) return;
  const std::vector<RecordingChange> changes = missingRecordingsForm_->Changes();
  if (changes.empty()) return;
  session_.Edit(StepName("Hlaska_ChybejiciNahravky"),
                [&] { ApplyRecordingChanges(document, changes); });
  session_.FlushChanges();
}

}  // namespace liftvox
