#include "dialogs/device_dialog.h"

#include <utility>

namespace liftvox {

DeviceDialog::DeviceDialog(const char* className, AnnouncerSession& session, QWidget* parent)
    : CaptionedDialog(className, parent), session_(session), runner_(new DeviceJobRunner(this)) {}

void DeviceDialog::done(int result) {
  // Closing under a running job would leave it reporting to nobody, and the
  // announcer half-written; the job closes the dialog itself where it should.
  if (runner_->Running()) return;
  CaptionedDialog::done(result);
}

void DeviceDialog::showEvent(QShowEvent* event) {
  CaptionedDialog::showEvent(event);
  if (std::exchange(startWhenShown_, false)) StartJob();
}

}  // namespace liftvox
