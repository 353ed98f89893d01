// The announcer commands that open a device dialog: hardware properties,
// programming (from the configuration or an image file), memory and
// configuration read-back, and the firmware upload.
#include <QUndoStack>

#include <algorithm>

#include "app/device_status_observer.h"
#include "app/main_form.h"
#include "app/message_box_prompter.h"
#include "app/wait_cursor.h"
#include "commands/announcer_commands.h"
#include "commands/image_file_commands.h"
#include "commands/image_for_device.h"
#include "config/paths.h"
#include "dialogs/firmware_upload_dialog.h"
#include "dialogs/hardware_properties_dialog.h"
#include "dialogs/programming_dialog.h"
#include "dialogs/read_back_dialog.h"
#include "image/image_builder.h"

namespace liftvox {

void TMainForm::AddDeviceDialog(DeviceDialog* dialog) {
  // A job's messages and questions sit over its dialog.
  dialog->SetPrompter(new MessageBoxPrompter(dialog));
  // The port and announcer texts of a job go to the status bar, as those of
  // the memory-size detection do.
  connect(&dialog->Runner(), &DeviceJobRunner::StatusChanged, this,
          [this](StatusPanel panel, const QString& text) {
            deviceStatus_->StatusChanged(panel, text.toStdString());
          });
  dialogs_.push_back(dialog);
}

void TMainForm::Revazi_PrectiVlastnostiHardware() {
  vlastnostiHWForm_->StartWhenShown();
  vlastnostiHWForm_->exec();
}

void TMainForm::Revazi_NaprogramujRevazi() {
  const bool confirmed = ConfirmProgramming(document_, CurrentImageSettings(),
                                            nahrajZvukyForm_->windowTitle().toStdString());
  UpdateGauge();  // a rebuild on the way changed the used size
  if (confirmed) ProgramDocumentImage();
}

void TMainForm::ProgramDocumentImage() {
  nahrajZvukyForm_->SetImage(DocumentImageToProgram(document_, CurrentImageSettings()));
  nahrajZvukyForm_->StartWhenShown();
  nahrajZvukyForm_->exec();
}

void TMainForm::Revazi_NaprogramujRevaziZeSouboru() {
  const QString path = AskFileName(false, "BINOpenDir", "Binarni soubory paměti (*.bin)", "bin",
                                   "Revazi_NaprogramujRevaziZeSouboru");
  if (!path.isEmpty()) ProgramImageFile(path);
}

void TMainForm::ProgramImageFile(const QString& path) {
  const bool loaded = LoadImageFileForProgramming(document_, CurrentImageSettings(),
                                                  PathFromUtf8(path.toStdString()));
  UpdateGauge();
  if (!loaded) return;
  if (ConfirmConfigurationUpload(document_, nahrajZvukyForm_->windowTitle().toStdString())) {
    ProgramDocumentImage();
    // The gauge shows the configuration's own estimate again, not the file's.
    Estimate();
  }
  AddRecentFile(path);
}

void TMainForm::Revazi_NahrajSW() {
  const QString path =
      AskFileName(false, "HEXOpenDir", "Intel HEX soubor (*.hex)", "hex", "Revazi_NahrajSW");
  if (!path.isEmpty()) UploadFirmwareFile(path);
}

void TMainForm::UploadFirmwareFile(const QString& path) {
  nahrajFirmwareForm_->SetFileName(path);
  if (!ConfirmFirmwareUpload(document_, nahrajFirmwareForm_->windowTitle().toStdString())) return;
  nahrajFirmwareForm_->StartWhenShown();
  nahrajFirmwareForm_->exec();
}

void TMainForm::TakeReadImage(std::vector<uint8_t> image) {
  // The read buffer stands as the document's image, as large as the memory.
  image.resize(document_.Image.size(), 0xFF);
  document_.Image = std::move(image);
}

void TMainForm::EditAsLoaded(const char* actionName, const std::function<void()>& load) {
  const int stepsBefore = undoStack_->index();
  Edit(StepName(actionName), load);
  if (undoStack_->index() != stepsBefore) {
    // One step that undo can take back; the configuration read stands as a
    // file just opened does: unmodified.
    undoStack_->setClean();
  }
  FlushDocumentChanges();
}

void TMainForm::File_NacistPametZRevazie() {
  pametZRevazieForm_->SetMemorySize(document_.MemorySize);
  pametZRevazieForm_->StartWhenShown();
  pametZRevazieForm_->exec();
  const int64_t bytesInUse = pametZRevazieForm_->LastResult().bytesInUse;
  if (bytesInUse > 0) {
    TakeReadImage(pametZRevazieForm_->TakeImage());
    EditAsLoaded("File_NacistPametZRevazie",
                 [&] { FinishMemoryRead(document_, CurrentImageSettings(), bytesInUse); });
  }
  UpdateGauge();
}

void TMainForm::File_NacistKonfiguraciZRevazie() {
  konfiguraceZRevazieForm_->SetMemorySize(document_.MemorySize);
  konfiguraceZRevazieForm_->StartWhenShown();
  konfiguraceZRevazieForm_->exec();
  const int64_t bytesInUse = konfiguraceZRevazieForm_->LastResult().bytesInUse;
  const ImageSettings settings = CurrentImageSettings();
  if (bytesInUse > 0) TakeReadImage(konfiguraceZRevazieForm_->TakeImage());
  EditAsLoaded("File_NacistKonfiguraciZRevazie",
               [&] { TakeReadConfiguration(document_, settings, bytesInUse); });
  {
    // The image follows the configuration again, whatever the read brought.
    const WaitCursor wait;
    SestavPamet(document_, settings);
  }
  UpdateGauge();
}

}  // namespace liftvox
