#pragma once

#include "device/memory_transfer.h"
#include "dialogs/device_progress_dialog.h"

namespace liftvox {

// The caption ids of a transfer dialog's controls; `start` 0 without "&Start".
struct TransferCaptionIds {
  int title;
  int statusGroup;
  int progressLabel;
  int portLabel;
  int portValue;  // the port's text until a run shows one
  int errorCountLabel;
  int start;
  int close;
};

// What the programming dialog and the two read-back dialogs share beyond the
// progress panel: the port and the transfer error count rows, and "&Konec"
// as the close button.
class TransferDialog : public DeviceProgressDialog {
  Q_OBJECT

 public:
  TransferDialog(const char* className, const TransferCaptionIds& captionIds,
                 AnnouncerSession& session, QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;

  // How the last run ended (what the command does afterwards depends on it).
  const TransferResult& LastResult() const { return lastResult_; }
  QString ErrorCountText() const;

 protected:
  void StartJob() override;
  // The run on the worker; its completion hands the result to Ended.
  virtual DeviceJobRunner::Job Transfer() = 0;
  // On the GUI thread when a run has returned.
  void Ended(const TransferResult& result);

 private:
  TransferCaptionIds captionIds_;
  TransferResult lastResult_;
  StatusRow port_;
  StatusRow errors_;
};

}  // namespace liftvox
