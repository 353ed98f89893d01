#include "dialogs/captioned_dialog.h"

namespace liftvox {

CaptionedDialog::CaptionedDialog(const char* className, QWidget* parent) : QDialog(parent) {
  setObjectName(className);
  setModal(true);
}

}  // namespace liftvox
