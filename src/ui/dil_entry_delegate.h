#pragma once

#include <QStyledItemDelegate>

namespace liftvox {

// How lists of DIL entries (or of their icons) draw a line: the item's icon
// at left + 2, its text from left + 20, vertically centred and cut with "..."
// to the line's width.
class DilEntryDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace liftvox
