#include "ui/dil_entry_delegate.h"

#include <QPainter>

#include <algorithm>

#include "ui/workspace_painter.h"

namespace liftvox {
namespace {

constexpr int kIconLeft = 2;
constexpr int kCaptionLeft = 20;
constexpr int kIconSize = 16;

}  // namespace

void DilEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
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

QSize DilEntryDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setHeight(std::max(size.height(), kIconSize + 2));
  return size;
}

}  // namespace liftvox
