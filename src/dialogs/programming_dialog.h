#pragma once

#include <memory>

#include "commands/image_for_device.h"
#include "dialogs/transfer_dialog.h"

namespace liftvox {

// The programming dialog (`TNahrajZvukyForm`): writes an image into the announcer's memory on a
// worker as soon as it is shown, and again on "&Start". The run closes the
// dialog after a stop, a refused old firmware or a declined interface;
// otherwise the dialog stays with "Hotovo" until "&Konec".
class TNahrajZvukyForm final : public TransferDialog {
  Q_OBJECT

 public:
  TNahrajZvukyForm(AnnouncerSession& session, QWidget* parent);

  // The image the next runs write; ignored while a run goes on.
  void SetImage(ImageToProgram image);

 protected:
  DeviceJobRunner::Job Transfer() override;

 private:
  std::shared_ptr<const ImageToProgram> image_;
};

}  // namespace liftvox
