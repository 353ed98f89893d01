// The main window's dialogs: created once after the window, in the program's
// order, re-texted with it, and pictured by `--screenshot --dialog`.
#include <QDialog>

#include "app/main_form.h"
#include "dialogs/about_box.h"
#include "dialogs/captioned_dialog.h"
#include "dialogs/pruvodce_form.h"
#include "dialogs/setup_form.h"

namespace liftvox {

void TMainForm::CreateDialogs() {
  // The order in which the program creates them.
  setupForm_ = new TSetupForm(this);
  dialogs_.push_back(setupForm_);
  aboutBox_ = new TAboutBox(LIFTVOX_VERSION, LIFTVOX_HOMEPAGE_URL, CurrentSystemFacts(), this);
  dialogs_.push_back(aboutBox_);
  pruvodceForm_ = new TPruvodceForm(language_, icons_, LanguagesFolder(), this);
  dialogs_.push_back(pruvodceForm_);
  for (CaptionedDialog* dialog : dialogs_) dialog->RegisterCaptions(captions_);
}

QDialog* TMainForm::PrepareDialogForScreenshot(const QString& className) {
  for (CaptionedDialog* dialog : dialogs_)
    if (dialog->objectName() == className) return dialog;
  return nullptr;
}

}  // namespace liftvox
