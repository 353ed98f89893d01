#pragma once

#include <filesystem>
#include <memory>

#include "commands/image_for_device.h"
#include "dialogs/transfer_dialog.h"

class QCheckBox;

namespace liftvox {

// The programming dialog (`TNahrajZvukyForm`): writes an image into the announcer's memory on a
// worker as soon as it is shown, and again on "&Start". The run closes the
// dialog after a stop, a refused old firmware or a declined interface;
// otherwise the dialog stays with "Hotovo" until "&Konec".
//
// With "Ověřit po naprogramování" ticked, a run reads every written page
// back ("Ověřování"); when they differ it offers to program the announcer
// again. Each run ends with its line in the production log, when one is set.
class TNahrajZvukyForm final : public TransferDialog {
  Q_OBJECT

 public:
  TNahrajZvukyForm(AnnouncerSession& session, QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;
  void TranslateLists(const Translator& translator) override;

  // The image the next runs write; ignored while a run goes on.
  void SetImage(ImageToProgram image);
  // The production log the next runs append to; empty: none.
  void SetProductionLog(std::filesystem::path file) { logFile_ = std::move(file); }

  QCheckBox& VerifyBox() const { return *verify_; }
  QString VerifyTimeNote() const;
  QString ActivityText() const;

 protected:
  void StartJob() override;
  DeviceJobRunner::Job Transfer() override;

 private:
  void ShowVerifyTime();

  std::shared_ptr<const ImageToProgram> image_;
  std::filesystem::path logFile_;
  StatusRow activity_;
  QCheckBox* verify_;
  QLabel* verifyTime_;
};

}  // namespace liftvox
