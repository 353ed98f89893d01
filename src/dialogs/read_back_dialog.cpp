#include "dialogs/read_back_dialog.h"

#include <algorithm>
#include <memory>

namespace liftvox {

ReadBackDialog::ReadBackDialog(const char* className, int captionBase, Read read,
                               AnnouncerSession& session, QWidget* parent)
    : TransferDialog(className, captionBase, false, session, parent), read_(read) {}

DeviceJobRunner::Job ReadBackDialog::Transfer() {
  image_.clear();
  return [this, read = read_, memorySize = memorySize_](
             Prompter& prompter, DeviceJobObserver& observer) -> DeviceJobRunner::Completion {
    // The worker fills a buffer of its own; the dialog takes it when the run
    // is over, so nothing is shared while it runs.
    auto image = std::make_shared<std::vector<uint8_t>>(
        static_cast<std::size_t>(std::max<int64_t>(memorySize, 0)) + 1, uint8_t{0xFF});
    const TransferResult result = read(session_, *image, memorySize, prompter, observer);
    return [this, result, image] {
      image_ = std::move(*image);
      Ended(result);
    };
  };
}

TPametZRevazieForm::TPametZRevazieForm(AnnouncerSession& session, QWidget* parent)
    : ReadBackDialog("TPametZRevazieForm", 500, &ReadWholeMemory, session, parent) {}

TKonfiguraceZRevazieForm::TKonfiguraceZRevazieForm(AnnouncerSession& session, QWidget* parent)
    : ReadBackDialog("TKonfiguraceZRevazieForm", 100, &ReadStoredConfiguration, session, parent) {}

}  // namespace liftvox
