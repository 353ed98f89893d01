#include "dialogs/programming_dialog.h"

#include "lang/caption_names.h"

namespace liftvox {
namespace {

namespace ids = caption_id::programming;
constexpr TransferCaptionIds kCaptionIds{ids::kTitle,     ids::kStatusGroup, ids::kProgressLabel,
                                         ids::kPortLabel, ids::kPortValue,   ids::kErrorCountLabel,
                                         ids::kStart,     ids::kClose};

}  // namespace

TNahrajZvukyForm::TNahrajZvukyForm(AnnouncerSession& session, QWidget* parent)
    : TransferDialog("TNahrajZvukyForm", kCaptionIds, session, parent),
      image_(std::make_shared<const ImageToProgram>()) {}

void TNahrajZvukyForm::SetImage(ImageToProgram image) {
  if (JobRunning()) return;
  image_ = std::make_shared<const ImageToProgram>(std::move(image));
}

DeviceJobRunner::Job TNahrajZvukyForm::Transfer() {
  // The worker keeps its own reference: a new image for the next run does
  // not pull this one from under it.
  return [this, image = image_](Prompter& prompter,
                                DeviceJobObserver& observer) -> DeviceJobRunner::Completion {
    const TransferResult result =
        ProgramAnnouncer(session_, image->ForProgramming(), prompter, observer);
    return [this, result] { Ended(result); };
  };
}

}  // namespace liftvox
