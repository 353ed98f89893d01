#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QWidget>

#include "base/job_progress.h"

namespace liftvox {

// The progress of a long job that runs on the GUI thread, such as opening a
// configuration of a million samples or building an image with the best
// encoder: a window-modal dialog with the name, a bar and a stop button
// appears once the job has reported for kShowAfterMilliseconds, and each
// report lets the window repaint and the button be pressed. A job that ends
// sooner shows nothing, and nothing appears before the first report, so the
// job may ask its questions first.
class LoadProgress {
 public:
  static constexpr int kShowAfterMilliseconds = 700;

  // `title` and `stopText` are translated; `name` (a file's) is shown as plain text.
  LoadProgress(QWidget* parent, QString title, QString name, QString stopText);
  ~LoadProgress();
  LoadProgress(const LoadProgress&) = delete;
  LoadProgress& operator=(const LoadProgress&) = delete;

  // For the job; false once the stop button has been pressed. Valid while
  // this object lives.
  JobProgress Callback();
  // Null before the first report.
  QProgressDialog* Dialog() const { return dialog_; }

 private:
  void CreateDialog();

  QPointer<QWidget> parent_;
  QString title_;
  QString name_;
  QString stopText_;
  bool created_ = false;
  QPointer<QProgressDialog> dialog_;
};

}  // namespace liftvox
