// The main window's dialogs: created once after the window, in the program's
// order, re-texted with it, and pictured by `--screenshot --dialog`.
#include <QDialog>

#include "app/main_form.h"
#include "dialogs/captioned_dialog.h"
#include "dialogs/firmware_upload_dialog.h"
#include "dialogs/hardware_properties_dialog.h"
#include "dialogs/programming_dialog.h"
#include "dialogs/read_back_dialog.h"

namespace liftvox {

void TMainForm::CreateDialogs() {
  // The order in which the program creates them.
  AddDeviceDialog(konfiguraceZRevazieForm_ = new TKonfiguraceZRevazieForm(session_, this));
  AddDeviceDialog(nahrajFirmwareForm_ = new TNahrajFirmwareForm(session_, this));
  AddDeviceDialog(nahrajZvukyForm_ = new TNahrajZvukyForm(session_, this));
  AddDeviceDialog(pametZRevazieForm_ = new TPametZRevazieForm(session_, this));
  AddDeviceDialog(vlastnostiHWForm_ = new TVlastnostiHWForm(session_, this));
  for (CaptionedDialog* dialog : dialogs_) dialog->RegisterCaptions(captions_);
}

void TMainForm::DeleteDialogs() {
  for (CaptionedDialog* dialog : dialogs_) delete dialog;
  dialogs_.clear();
}

QDialog* TMainForm::PrepareDialogForScreenshot(const QString& className) {
  for (CaptionedDialog* dialog : dialogs_)
    if (dialog->objectName() == className) return dialog;
  return nullptr;
}

}  // namespace liftvox
