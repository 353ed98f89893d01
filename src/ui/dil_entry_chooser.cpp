#include "ui/dil_entry_chooser.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

#include "ui/dil_entry_delegate.h"
#include "ui/icon_library.h"

namespace liftvox {
namespace {

constexpr int kIconSize = 16;

}  // namespace

DilEntryChooser::DilEntryChooser(const IconLibrary& icons, QWidget* parent)
    : QComboBox(parent), icons_(icons) {
  setIconSize(QSize(kIconSize, kIconSize));
  setItemDelegate(new DilEntryDelegate(this));
  setFocusPolicy(Qt::StrongFocus);
}

void DilEntryChooser::Fill(const std::vector<DilEntry>& entries, int current) {
  clear();
  for (const DilEntry& entry : entries)
    addItem(icons_.Icon(entry.Icon), QString::fromStdString(entry.Name));
  setCurrentIndex(current >= 0 && current < count() ? current : 0);
}

void DilEntryChooser::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      emit Dismissed();
      return;
    default:
      QComboBox::keyPressEvent(event);
  }
}

void DilEntryChooser::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // Opening the list takes the focus for a while; that is no leaving.
  if (event->reason() != Qt::PopupFocusReason && !view()->isVisible()) emit Dismissed();
}

}  // namespace liftvox
