#include "ui/dil_entry_chooser.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ui/icon_library.h"
#include "ui/workspace_painter.h"

namespace liftvox {
namespace {

constexpr int kIconLeft = 2;
constexpr int kCaptionLeft = 20;
constexpr int kIconSize = 16;

// A list item: the icon at left + 2, the caption from left + 20.
class DilEntryDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect,
                      option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    const QRect rect = option.rect;
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    icon.paint(painter, QRect(rect.left() + kIconLeft, rect.top() + (rect.height() - kIconSize) / 2,
                              kIconSize, kIconSize));
    const QFontMetrics metrics(option.font);
    const int width = rect.width() - kCaptionLeft - 2;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(QRect(rect.left() + kCaptionLeft, rect.top(), width, rect.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      ElideText(index.data(Qt::DisplayRole).toString(), metrics, width));
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), kIconSize + 2));
    return size;
  }
};

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
