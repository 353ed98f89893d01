#include "ui/path_field.h"

#include <QFocusEvent>
#include <QStyle>
#include <QStyleOptionFrame>

namespace liftvox {

PathField::PathField(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::returnPressed, this, [this] { emit PathEntered(text().trimmed()); });
}

void PathField::SetPath(const QString& path) {
  path_ = path;
  ShowPath();
}

void PathField::focusInEvent(QFocusEvent* event) {
  setText(path_);
  QLineEdit::focusInEvent(event);
}

void PathField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  ShowPath();
}

void PathField::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  if (!hasFocus()) ShowPath();
}

void PathField::ShowPath() {
  setToolTip(path_);
  if (hasFocus()) {
    setText(path_);
    return;
  }
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  // A few pixels for the cursor and the text margins.
  setText(fontMetrics().elidedText(path_, Qt::ElideMiddle, std::max(room.width() - 6, 20)));
  setCursorPosition(0);
}

}  // namespace liftvox
