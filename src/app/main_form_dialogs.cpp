// The main window's dialogs: created once after the window, in the program's
// order, re-texted with it, and pictured by `--screenshot --dialog`.
#include <QDialog>

#include "app/main_form.h"
#include "dialogs/about_box.h"
#include "dialogs/batch_programming_dialog.h"
#include "dialogs/captioned_dialog.h"
#include "dialogs/coding_change_dialog.h"
#include "dialogs/dil_settings_dialog.h"
#include "dialogs/firmware_upload_dialog.h"
#include "dialogs/hardware_properties_dialog.h"
#include "dialogs/help_window.h"
#include "dialogs/language_order_dialog.h"
#include "dialogs/message_properties_dialog.h"
#include "dialogs/missing_recordings_dialog.h"
#include "dialogs/programming_dialog.h"
#include "dialogs/pruvodce_form.h"
#include "dialogs/read_back_dialog.h"
#include "dialogs/sequence_properties_dialog.h"
#include "dialogs/setup_form.h"
#include "dialogs/silence_dialog.h"
#include "dialogs/triggering_properties_dialog.h"

namespace liftvox {

void TMainForm::CreateDialogs() {
  // The order in which the program creates them.
  AddDeviceDialog(konfiguraceZRevazieForm_ =
                      new TKonfiguraceZRevazieForm(device_.Announcer(), this));
  AddDeviceDialog(nahrajFirmwareForm_ = new TNahrajFirmwareForm(device_.Announcer(), this));
  AddDeviceDialog(nahrajZvukyForm_ = new TNahrajZvukyForm(device_.Announcer(), this));
  dialogs_.push_back(dilSettingsForm_ = new TNastaveniDILForm(icons_, this));
  AddDeviceDialog(pametZRevazieForm_ = new TPametZRevazieForm(device_.Announcer(), this));
  dialogs_.push_back(languageOrderForm_ = new TPoradiJazykuForm(icons_, this));
  dialogs_.push_back(setupForm_ = new TSetupForm(this));
  dialogs_.push_back(messageForm_ = new TVlastnostiHlaskyForm(icons_, this));
  AddDeviceDialog(vlastnostiHWForm_ = new TVlastnostiHWForm(device_.Announcer(), this));
  dialogs_.push_back(sequenceForm_ = new TVlastnostiSekvenceForm(this));
  dialogs_.push_back(
      aboutBox_ = new TAboutBox(LIFTVOX_VERSION, LIFTVOX_HOMEPAGE_URL, CurrentSystemFacts(), this));
  dialogs_.push_back(silenceForm_ = new TTichoForm(this));
  dialogs_.push_back(codingForm_ = new TZmenaKodovaniForm(this));
  dialogs_.push_back(pruvodceForm_ = new TPruvodceForm(language_, icons_, LanguagesFolder(), this));
  dialogs_.push_back(triggeringForm_ = new TVlastnostiSpousteniForm(this));
  dialogs_.push_back(missingRecordingsForm_ = new MissingRecordingsDialog(this));
  dialogs_.push_back(batchProgrammingForm_ =
                         new BatchProgrammingDialog(language_, device_.Interfaces(), this));
  dialogs_.push_back(helpWindow_ = new HelpWindow(this));
  for (CaptionedDialog* dialog : dialogs_) dialog->RegisterCaptions(captions_);
  ConnectPropertyDialogs();
  ConnectBatchProgramming();
}

void TMainForm::DeleteDialogs() {
  for (CaptionedDialog* dialog : dialogs_) delete dialog;
  dialogs_.clear();
}

QDialog* TMainForm::PrepareDialogForScreenshot(const QString& className) {
  if (QDialog* dialog = PreparePropertyDialog(className)) return dialog;
  if (className == missingRecordingsForm_->objectName())
    missingRecordingsForm_->Fill(session_.Document());
  if (className == "TNahrajZvukyForm") PrepareProgramming();
  if (className == "BatchProgrammingDialog") PrepareBatchProgramming();
  if (className == helpWindow_->objectName()) Help_Napoveda1();
  for (CaptionedDialog* dialog : dialogs_)
    if (dialog->objectName() == className) return dialog;
  return nullptr;
}

}  // namespace liftvox
