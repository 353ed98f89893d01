// The program settings.
#include <QAction>

#include "app/main_form.h"
#include "app/memory_size_detection.h"
#include "dialogs/setup_form.h"

namespace liftvox {

void TMainForm::Program_Nastaveni() {
  const bool accepted = setupForm_->exec() == QDialog::Accepted;
  // The controls are the settings whichever button closed the dialog; only
  // OK looks for the announcer again.
  ApplyDeviceSettings(setupForm_->Settings());
  if (!accepted) return;
  if (detection_->Running()) {
    // The detection under way took the settings before these; run again after it.
    connect(
        detection_.get(), &MemorySizeDetection::Finished, this,
        [this] { StartMemorySizeDetection(true); }, Qt::SingleShotConnection);
    return;
  }
  StartMemorySizeDetection(true);
}

void TMainForm::ShowDeviceSettings() {
  setupForm_->FillPortList(deviceSettings_.Ports());
  setupForm_->ShowSettings(deviceSettings_);
  session_.SetSettings(deviceSettings_);
}

void TMainForm::ApplyDeviceSettings(const DeviceSettings& settings) {
  deviceSettings_ = settings;
  session_.SetSettings(settings);
}

}  // namespace liftvox
