#pragma once

#include <QString>

#include "device/firmware_upload.h"
#include "device/spi_bus.h"
#include "dialogs/device_progress_dialog.h"

namespace liftvox {

// The firmware upload dialog (`TNahrajFirmwareForm`): writes the HEX file
// `FileName` into the announcer's microcontroller on a worker as soon as it
// is shown, and again on "&Start". "&Zavřít" closes it when no upload runs;
// during one it asks the upload to stop (the chip is then erased and the
// dialog closes).
class TNahrajFirmwareForm final : public DeviceProgressDialog {
  Q_OBJECT

 public:
  TNahrajFirmwareForm(AnnouncerSession& session, QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;

  // The HEX file of the next uploads; the label shows its name alone.
  void SetFileName(const QString& fileName);
  const QString& FileName() const { return fileName_; }
  // The programmer's delays (tests run the chip on a virtual clock).
  void SetTiming(SpiTiming timing) { timing_ = std::move(timing); }

  const FirmwareResult& LastResult() const { return lastResult_; }
  QString FileText() const;

 protected:
  void StartJob() override;

 private:
  QString fileName_;
  SpiTiming timing_ = SpiTiming::Real();
  FirmwareResult lastResult_;
  StatusRow file_;
  StatusRow port_;
};

}  // namespace liftvox
