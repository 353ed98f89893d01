#pragma once

#include <QString>

#include "dialogs/device_dialog.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace liftvox {

// What the device dialogs that watch a run page by page share: a status group
// of label and value rows ending in the progress text and bar, an optional
// "&Start" that repeats the run, and the close button.
//
// The close button closes the dialog when no run goes on. During a run it
// asks the run to stop and is disabled until the run ends; a run asked to
// stop closes the dialog itself. "&Start" is disabled from the start of a run
// to its end, and before the first run.
class DeviceProgressDialog : public DeviceDialog {
  Q_OBJECT

 public:
  QString PortText() const;
  QString ProgressText() const;
  int ProgressPercent() const;
  QPushButton* StartButton() const { return startButton_; }  // null in a dialog without one
  QPushButton* CloseButton() const { return closeButton_; }

 protected:
  DeviceProgressDialog(const char* className, bool withStart, AnnouncerSession& session,
                       QWidget* parent);

  // A label and value row of the status group, above the progress rows, in
  // the order added; the port row shows the port the run chooses.
  struct StatusRow {
    QLabel* label;
    QLabel* value;
  };
  StatusRow AddStatusRow();
  StatusRow AddPortRow();
  QGroupBox* StatusGroup() const { return statusGroup_; }
  // A control between the status group and the buttons, in the order added.
  void AddBelowStatus(QWidget* control);
  QLabel* ProgressLabel() const { return progressLabel_; }

  // Starts `job` on the worker (nothing while a run goes on), with the
  // progress cleared.
  void StartRun(DeviceJobRunner::Job job);
  // On the GUI thread when a run has returned.
  void RunEnded(bool closeDialog);

 private:
  void CloseClicked();

  QGroupBox* statusGroup_;
  QGridLayout* grid_;
  int rows_ = 0;
  QLabel* portValue_ = nullptr;
  QLabel* progressLabel_;
  QLabel* progressValue_;
  QProgressBar* progressBar_;
  QPushButton* startButton_ = nullptr;
  QPushButton* closeButton_;
};

}  // namespace liftvox
