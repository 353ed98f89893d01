#include "app/message_box_prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QThread>

namespace liftvox {

MessageBoxPrompter::MessageBoxPrompter(QWidget* parent) : QObject(parent), parent_(parent) {}

void MessageBoxPrompter::Inform(const Message& message) { OnGuiThread(Kind::Information, message); }

void MessageBoxPrompter::Warn(const Message& message) { OnGuiThread(Kind::Warning, message); }

Answer MessageBoxPrompter::AskYesNo(const Message& message) {
  return OnGuiThread(Kind::YesNo, message);
}

Answer MessageBoxPrompter::AskYesNoCancel(const Message& message) {
  return OnGuiThread(Kind::YesNoCancel, message);
}

Answer MessageBoxPrompter::OnGuiThread(Kind kind, const Message& message) {
  if (QThread::currentThread() == thread()) return ShowBox(kind, message);
  Answer answer = Answer::No;
  QMetaObject::invokeMethod(
      this, [&] { answer = ShowBox(kind, message); }, Qt::BlockingQueuedConnection);
  return answer;
}

Answer MessageBoxPrompter::ShowBox(Kind kind, const Message& message) {
  QMessageBox::Icon icon = QMessageBox::Question;
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  switch (kind) {
    case Kind::Information:
      icon = QMessageBox::Information;
      buttons = QMessageBox::Ok;
      break;
    case Kind::Warning:
      icon = QMessageBox::Warning;
      buttons = QMessageBox::Ok;
      break;
    case Kind::YesNo:
      break;
    case Kind::YesNoCancel:
      buttons |= QMessageBox::Cancel;
      break;
  }
  // A load's window-modal progress blocks the main window and every box it
  // owns, so the box belongs to the modal window shown, which may close
  // under it.
  QWidget* owner = QApplication::activeModalWidget();
  const QPointer<QMessageBox> box = new QMessageBox(icon, QString::fromStdString(message.caption),
                                                    QString::fromStdString(message.text), buttons,
                                                    owner ? owner : parent_.data());
  // The texts name files, sequences and devices: never rich text.
  box->setTextFormat(Qt::PlainText);
  if (kind == Kind::YesNoCancel) box->setEscapeButton(QMessageBox::Cancel);
  const int result = box->exec();
  delete box.data();
  switch (result) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      return Answer::No;
  }
}

}  // namespace liftvox
