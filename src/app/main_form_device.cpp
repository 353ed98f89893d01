// The announcer commands that open a device dialog: hardware properties,
// programming (from the configuration or an image file), memory and
// configuration read-back, and the firmware upload.
#include <QCheckBox>

#include <algorithm>

#include "app/load_progress.h"
#include "app/main_form.h"
#include "app/message_box_prompter.h"
#include "app/wait_cursor.h"
#include "commands/announcer_commands.h"
#include "commands/image_file_commands.h"
#include "commands/image_for_device.h"
#include "config/paths.h"
#include "dialogs/batch_programming_dialog.h"
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
  const std::string caption = nahrajZvukyForm_->windowTitle().toStdString();
  bool ready = false;
  {
    LoadProgress progress = ImageBuildProgress();
    ready = OfferRebuild(session_.Document(), session_.CurrentImageSettings(), caption,
                         progress.Callback());
  }
  UpdateGauge();  // a rebuild on the way changed the used size
  if (ready && ConfirmConfigurationUpload(session_.Document(), caption)) ProgramDocumentImage();
}

void TMainForm::PrepareProgramming() {
  nahrajZvukyForm_->SetImage(
      DocumentImageToProgram(session_.Document(), session_.CurrentImageSettings()));
  nahrajZvukyForm_->SetProductionLog(PathFromUtf8(production_.ActiveLogFile().toStdString()));
  nahrajZvukyForm_->VerifyBox().setChecked(production_.verify);
}

void TMainForm::ProgramDocumentImage() {
  PrepareProgramming();
  nahrajZvukyForm_->StartWhenShown();
  nahrajZvukyForm_->exec();
  production_.verify = nahrajZvukyForm_->VerifyBox().isChecked();
}

void TMainForm::ConnectBatchProgramming() {
  BatchProgrammingDialog& dialog = *batchProgrammingForm_;
  dialog.SetPrompter(new MessageBoxPrompter(&dialog));
  // The memory-size detection may be probing any port.
  dialog.SetPortsBusy([this] { return device_.DetectionRunning(); });
  dialog.SetRebuild([this] {
    {
      const WaitCursor wait;
      SestavPamet(session_.Document(), session_.CurrentImageSettings());
    }
    UpdateGauge();
    ShowBatchImage();
  });
}

void TMainForm::PrepareBatchProgramming() {
  BatchProgrammingDialog& dialog = *batchProgrammingForm_;
  dialog.AddPorts(device_.Settings().Ports());
  ShowBatchImage();
  dialog.SetProductionLog(PathFromUtf8(production_.ActiveLogFile().toStdString()));
  dialog.VerifyBox().setChecked(production_.verify);
}

void TMainForm::Revazi_NaprogramujViceHlasicu() {
  BatchProgrammingDialog& dialog = *batchProgrammingForm_;
  PrepareBatchProgramming();
  dialog.exec();
  production_.verify = dialog.VerifyBox().isChecked();
}

void TMainForm::ShowBatchImage() {
  const TPametRevazie& document = session_.Document();
  batchProgrammingForm_->SetImage(std::make_shared<const ImageToProgram>(DocumentImageToProgram(
                                      document, session_.CurrentImageSettings())),
                                  document.IsImageStale());
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
    LoadProgress progress = ImageBuildProgress();
    SestavPamet(document, settings, progress.Callback());
  }
  UpdateGauge();
}

}  // namespace liftvox
