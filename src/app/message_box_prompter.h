#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "model/prompter.h"

namespace liftvox {

// The core's messages and questions as message boxes over the main window,
// as plain text: a warning icon and OK for warnings, a question icon with Yes
// and No (and Cancel where the core offers it). Any thread may ask: a worker's call runs
// the box on the GUI thread and blocks only that worker until it is answered.
// So the GUI thread must never wait for a worker that may ask.
class MessageBoxPrompter : public QObject, public Prompter {
  Q_OBJECT

 public:
  explicit MessageBoxPrompter(QWidget* parent);

  void Inform(const Message& message) override;
  void Warn(const Message& message) override;
  Answer AskYesNo(const Message& message) override;
  Answer AskYesNoCancel(const Message& message) override;

 protected:
  enum class Kind { Information, Warning, YesNo, YesNoCancel };
  // Shows one box; always called on the GUI thread.
  virtual Answer ShowBox(Kind kind, const Message& message);

 private:
  Answer OnGuiThread(Kind kind, const Message& message);

  QPointer<QWidget> parent_;
};

}  // namespace liftvox
