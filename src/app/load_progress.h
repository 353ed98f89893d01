#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QWidget>

#include "base/job_progress.h"

namespace liftvox {

// The progress of a long job that runs on the GUI thread, such as opening a
// configuration of a million samples: a window-modal dialog with the file's
// name, a bar and a stop button appears once the job has taken
// kShowAfterMilliseconds, and each report lets the window repaint and the
// button be pressed. A job that ends sooner shows nothing.
class LoadProgress {
 public:
  static constexpr int kShowAfterMilliseconds = 700;

  // `title` and `stopText` are translated; `name` (a file's) is shown as plain text.
  LoadProgress(QWidget* parent, const QString& title, const QString& name, const QString& stopText);
  ~LoadProgress();
  LoadProgress(const LoadProgress&) = delete;
  LoadProgress& operator=(const LoadProgress&) = delete;

  // For the job; false once the stop button has been pressed. Valid while
  // this object lives.
  JobProgress Callback();
  QProgressDialog* Dialog() const { return dialog_; }

 private:
  QPointer<QProgressDialog> dialog_;
};

}  // namespace liftvox
