// The new-configuration wizard, the program settings and the About box.
#include <QAction>

#include "app/main_form.h"
#include "app/memory_size_detection.h"
#include "config/wizard.h"
#include "dialogs/about_box.h"
#include "dialogs/pruvodce_form.h"
#include "dialogs/setup_form.h"

namespace liftvox {

void TMainForm::File_Pruvodce() {
  if (pruvodceForm_->exec() != QDialog::Accepted) return;
  const WizardChoices choices = pruvodceForm_->Choices();
  // Cancelling the unsaved-changes question builds nothing and adds no step.
  Edit(StepName("File_Pruvodce"), [&] { SestavKonfiguraci(document_, choices); });
  FlushDocumentChanges();
  Estimate();
  UpdateCaption();
}

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

void TMainForm::Help_OAplikaci1() { aboutBox_->exec(); }

}  // namespace liftvox
