#pragma once

#include "device/memory_transfer.h"
#include "dialogs/device_dialog.h"

class QLabel;
class QGroupBox;
class QProgressBar;
class QPushButton;

namespace liftvox {

// What the programming dialog and the two read-back dialogs share: a status
// group with the port, the transfer error count, the progress text and bar,
// a "&Start" button where a run can be repeated, and "&Konec", which closes
// the dialog when no run goes on and otherwise asks the run to stop (and
// then waits, disabled, for the run to close the dialog).
//
// Caption ids from the dialog's hundred: +0 the title, +1 the status group,
// +2 the progress label, +3 the port label, +4 the port's first text, +5 the
// error count label, then "&Start" (when there is one) and "&Konec".
class TransferDialog : public DeviceDialog {
  Q_OBJECT

 public:
  TransferDialog(const char* className, int captionBase, bool withStart, AnnouncerSession& session,
                 QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;

  // How the last run ended (what the command does afterwards depends on it).
  const TransferResult& LastResult() const { return lastResult_; }

  QString PortText() const;
  QString ErrorCountText() const;
  QString ProgressText() const;
  int ProgressPercent() const;
  QPushButton* StartButton() const { return startButton_; }
  QPushButton* CloseButton() const { return closeButton_; }

 protected:
  void StartJob() override;
  // The run on the worker; its completion hands the result to Ended.
  virtual DeviceJobRunner::Job Transfer() = 0;
  // On the GUI thread when a run has returned.
  void Ended(const TransferResult& result);

 private:
  void CloseClicked();

  int captionBase_;
  TransferResult lastResult_;
  QGroupBox* statusGroup_;
  QLabel* progressLabel_;
  QLabel* portLabel_;
  QLabel* portValue_;
  QLabel* errorLabel_;
  QLabel* errorValue_;
  QLabel* progressValue_;
  QProgressBar* progressBar_;
  QPushButton* startButton_ = nullptr;
  QPushButton* closeButton_;
};

}  // namespace liftvox
