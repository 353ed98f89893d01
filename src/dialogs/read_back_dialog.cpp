#include "dialogs/read_back_dialog.h"

#include <algorithm>
#include <memory>

#include "lang/caption_names.h"

namespace liftvox {
namespace {

// The two read-back dialogs have the same controls, without "&Start".
namespace memory = caption_id::memory_read_back;
constexpr TransferCaptionIds kMemoryCaptionIds{memory::kTitle,
                                               memory::kStatusGroup,
                                               memory::kProgressLabel,
                                               memory::kPortLabel,
                                               memory::kPortValue,
                                               memory::kErrorCountLabel,
                                               0,
                                               memory::kClose};
namespace configuration = caption_id::configuration_read_back;
constexpr TransferCaptionIds kConfigurationCaptionIds{configuration::kTitle,
                                                      configuration::kStatusGroup,
                                                      configuration::kProgressLabel,
                                                      configuration::kPortLabel,
                                                      configuration::kPortValue,
                                                      configuration::kErrorCountLabel,
                                                      0,
                                                      configuration::kClose};

}  // namespace

ReadBackDialog::ReadBackDialog(const char* className, const TransferCaptionIds& captionIds,
                               Read read, AnnouncerSession& session, QWidget* parent)
    : TransferDialog(className, captionIds, session, parent), read_(read) {}

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
    : ReadBackDialog("TPametZRevazieForm", kMemoryCaptionIds, &ReadWholeMemory, session, parent) {}

TKonfiguraceZRevazieForm::TKonfiguraceZRevazieForm(AnnouncerSession& session, QWidget* parent)
    : ReadBackDialog("TKonfiguraceZRevazieForm", kConfigurationCaptionIds, &ReadStoredConfiguration,
                     session, parent) {}

}  // namespace liftvox
