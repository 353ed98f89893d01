// The announcer commands that open a device dialog: hardware properties,
// programming (from the configuration or an image file), memory and
// configuration read-back, and the firmware upload.
#include <algorithm>

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
  connect(&dialog->Runner(), &DeviceJobRunner::StatusChanged, this, &TMainForm::OnDeviceStatus);
  dialogs_.push_back(dialog);
}

void TMainForm::Revazi_PrectiVlastnostiHardware() {
  vlastnostiHWForm_->StartWhenShown();
  vlastnostiHWForm_->exec();
}

void TMainForm::Revazi_NaprogramujRevazi() {
  const bool confirmed = ConfirmProgramming(session_.Document(), session_.CurrentImageSettings(),
                                            nahrajZvukyForm_->windowTitle().toStdString());
  UpdateGauge();  // a rebuild on the way changed the used size
  if (confirmed) ProgramDocumentImage();
}

void TMainForm::ProgramDocumentImage() {
  nahrajZvukyForm_->SetImage(
      DocumentImageToProgram(session_.Document(), session_.CurrentImageSettings()));
  nahrajZvukyForm_->StartWhenShown();
  nahrajZvukyForm_->exec();
}

void TMainForm::Revazi_NaprogramujRevaziZeSouboru() {
  const QString path =
      AskFileName(false, "BINOpenDir", ImageFilter(), "bin", "Revazi_NaprogramujRevaziZeSouboru");
  if (!path.isEmpty()) ProgramImageFile(path);
}

void TMainForm::ProgramImageFile(const QString& path) {
  const bool loaded = LoadImageFileForProgramming(
      session_.Document(), session_.CurrentImageSettings(), PathFromUtf8(path.toStdString()));
  UpdateGauge();
  if (!loaded) return;
  if (ConfirmConfigurationUpload(session_.Document(),
                                 nahrajZvukyForm_->windowTitle().toStdString())) {
    ProgramDocumentImage();
    // The gauge shows the configuration's own estimate again, not the file's.
    session_.Estimate();
  }
  AddRecentFile(path);
}

void TMainForm::Revazi_NahrajSW() {
  const QString path =
      AskFileName(false, "HEXOpenDir", Translate("FilterHex", "Intel HEX soubor (*.hex)"), "hex",
                  "Revazi_NahrajSW");
  if (!path.isEmpty()) UploadFirmwareFile(path);
}

void TMainForm::UploadFirmwareFile(const QString& path) {
  nahrajFirmwareForm_->SetFileName(path);
  if (!ConfirmFirmwareUpload(session_.Document(), nahrajFirmwareForm_->windowTitle().toStdString()))
    return;
  nahrajFirmwareForm_->StartWhenShown();
  nahrajFirmwareForm_->exec();
}

void TMainForm::TakeReadImage(std::vector<uint8_t> image) {
  // The read buffer stands as the document's image, as large as the memory.
  TPametRevazie& document = session_.Document();
  image.resize(document.Image.size(), 0xFF);
  document.Image = std::move(image);
}

void TMainForm::File_NacistPametZRevazie() {
  TPametRevazie& document = session_.Document();
  pametZRevazieForm_->SetMemorySize(document.MemorySize);
  pametZRevazieForm_->StartWhenShown();
  pametZRevazieForm_->exec();
  const int64_t bytesInUse = pametZRevazieForm_->LastResult().bytesInUse;
  if (bytesInUse > 0) {
    TakeReadImage(pametZRevazieForm_->TakeImage());
    const ImageSettings settings = session_.CurrentImageSettings();
    session_.EditAsLoaded(StepName("File_NacistPametZRevazie"),
                          [&] { FinishMemoryRead(document, settings, bytesInUse); });
  }
  UpdateGauge();
}

void TMainForm::File_NacistKonfiguraciZRevazie() {
  TPametRevazie& document = session_.Document();
  konfiguraceZRevazieForm_->SetMemorySize(document.MemorySize);
  konfiguraceZRevazieForm_->StartWhenShown();
  konfiguraceZRevazieForm_->exec();
  const int64_t bytesInUse = konfiguraceZRevazieForm_->LastResult().bytesInUse;
  const ImageSettings settings = session_.CurrentImageSettings();
  if (bytesInUse > 0) TakeReadImage(konfiguraceZRevazieForm_->TakeImage());
  session_.EditAsLoaded(StepName("File_NacistKonfiguraciZRevazie"),
                        [&] { TakeReadConfiguration(document, settings, bytesInUse); });
  {
    // The image follows the configuration again, whatever the read brought.
    const WaitCursor wait;
    SestavPamet(document, settings);
  }
  UpdateGauge();
}

}  // namespace liftvox
