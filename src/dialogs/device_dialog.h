#pragma once

#include "dialogs/captioned_dialog.h"
#include "dialogs/device_job_runner.h"

namespace liftvox {

class AnnouncerSession;
class Prompter;

// A dialog that watches a device job on a worker (DeviceJobRunner): it
// cannot be closed while the job runs, whatever asks it to (its close button,
// Escape, the window frame). Its job starts when it is shown after
// StartWhenShown; shown otherwise (a screenshot) it stays idle.
class DeviceDialog : public CaptionedDialog {
  Q_OBJECT

 public:
  DeviceDialog(const char* className, AnnouncerSession& session, QWidget* parent);

  // Shows the job's messages and questions; the main window gives a message
  // box prompter whose boxes sit over this dialog.
  void SetPrompter(Prompter* prompter) { runner_->SetPrompter(prompter); }
  // The next show starts the dialog's job.
  void StartWhenShown() { startWhenShown_ = true; }

  DeviceJobRunner& Runner() { return *runner_; }
  bool JobRunning() const { return runner_->Running(); }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  // Starts the dialog's job (on showing after StartWhenShown, or by a button).
  virtual void StartJob() = 0;

  AnnouncerSession& session_;
  DeviceJobRunner* runner_;

 private:
  bool startWhenShown_ = false;
};

}  // namespace liftvox
