// The new-configuration wizard, the program settings and the About box.
#include <QAction>

#include "app/main_form.h"
#include "config/wizard.h"
#include "dialogs/about_box.h"
#include "dialogs/production_log_group.h"
#include "dialogs/pruvodce_form.h"
#include "dialogs/setup_form.h"

namespace liftvox {

void TMainForm::File_Pruvodce() {
  if (pruvodceForm_->exec() != QDialog::Accepted) return;
  const WizardChoices choices = pruvodceForm_->Choices();
  // Cancelling the unsaved-changes question builds nothing and adds no step.
  session_.Edit(StepName("File_Pruvodce"),
                [&] { SestavKonfiguraci(session_.Document(), choices); });
  session_.FlushChanges();
  session_.Estimate();
  UpdateCaption();
}

void TMainForm::Program_Nastaveni() {
  const bool accepted = setupForm_->exec() == QDialog::Accepted;
  // The controls are the settings whichever button closed the dialog; only
  // OK looks for the announcer again, and shows the port chosen too.
  device_.SetSettings(setupForm_->Settings());
  device_.SetEncoder(setupForm_->Encoder());
  production_.log = setupForm_->ProductionLog().On();
  production_.logFile = setupForm_->ProductionLog().File();
  if (accepted) device_.DetectMemorySize(true);
}

void TMainForm::ShowDeviceSettings() {
  setupForm_->FillPortList(device_.Settings().ListedPorts());
  setupForm_->ShowSettings(device_.Settings());
  setupForm_->ProductionLog().Show(production_.log, production_.logFile);
}

void TMainForm::Help_OAplikaci1() { aboutBox_->exec(); }

}  // namespace liftvox
