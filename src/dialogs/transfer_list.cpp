#include "dialogs/transfer_list.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

namespace liftvox {
namespace {

// What a dragged entry carries: its pair, its list and its row. The drop
// moves the entry itself, so the data never has to be copied through text.
constexpr const char* kEntryFormat = "application/x-liftvox-list-entry";

QByteArray EncodeEntry(const QString& pair, const QString& list, int row) {
  return (pair + '\n' + list + '\n' + QString::number(row)).toUtf8();
}

}  // namespace

TransferList::TransferList(const QString& pair, QWidget* parent)
    : QListWidget(parent), pair_(pair) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
}

bool TransferList::TakeFrom(TransferList& from, int row, int position) {
  if (&from != this && &from != partner_) return false;
  if (row < 0 || row >= from.count()) return false;
  QListWidgetItem* item = from.takeItem(row);
  // Taken out of this same list, the entries after it moved up by one.
  if (&from == this && position > row) --position;
  if (position < 0 || position > count()) position = count();
  insertItem(position, item);
  setCurrentItem(item);
  return true;
}

bool TransferList::MoveSelectedToPartner() {
  if (!partner_) return false;
  return partner_->TakeFrom(*this, currentRow(), -1);
}

int TransferList::DropPosition(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  if (!index.isValid()) return count();
  const QRect rect = visualRect(index);
  return point.y() > rect.center().y() ? index.row() + 1 : index.row();
}

QStringList TransferList::mimeTypes() const { return {kEntryFormat}; }

QMimeData* TransferList::mimeData(const QList<QListWidgetItem*>& items) const {
  if (items.isEmpty()) return nullptr;
  auto* mime = new QMimeData;
  mime->setData(kEntryFormat, EncodeEntry(pair_, objectName(), row(items.front())));
  return mime;
}

Qt::DropActions TransferList::supportedDropActions() const { return Qt::MoveAction; }

void TransferList::startDrag(Qt::DropActions /*supportedActions*/) {
  QListWidgetItem* item = currentItem();
  if (!item) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(mimeData({item}));
  drag->setPixmap(item->icon().pixmap(iconSize().isValid() ? iconSize() : QSize(16, 16)));
  // The drop has moved the entry already; nothing is left to remove here.
  drag->exec(Qt::MoveAction);
}

TransferList* TransferList::SourceOf(const QMimeData* mime, int& row) {
  if (!mime || !mime->hasFormat(kEntryFormat)) return nullptr;
  const QStringList parts = QString::fromUtf8(mime->data(kEntryFormat)).split('\n');
  if (parts.size() != 3 || parts[0] != pair_) return nullptr;
  bool ok = false;
  row = parts[2].toInt(&ok);
  if (!ok) return nullptr;
  if (parts[1] == objectName()) return this;
  if (partner_ && parts[1] == partner_->objectName()) return partner_;
  return nullptr;
}

void TransferList::dragEnterEvent(QDragEnterEvent* event) {
  int row = 0;
  if (SourceOf(event->mimeData(), row)) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void TransferList::dragMoveEvent(QDragMoveEvent* event) {
  int row = 0;
  if (SourceOf(event->mimeData(), row)) {
    // Let the view draw where the entry would land.
    QListWidget::dragMoveEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void TransferList::dropEvent(QDropEvent* event) {
  int row = 0;
  TransferList* source = SourceOf(event->mimeData(), row);
  if (!source || !TakeFrom(*source, row, DropPosition(event->position().toPoint()))) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::MoveAction);
  event->accept();
  setState(QAbstractItemView::NoState);
  viewport()->update();
}

}  // namespace liftvox
