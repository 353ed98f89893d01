#include "dialogs/reorderable_list.h"

#include <QDropEvent>
#include <QTimer>

namespace liftvox {

int PositionAfterDrop(int from, int target, int count) {
  if (target < 0 || target >= count) return count - 1;
  // Taking the item out first shifts the items after it up by one.
  return target > from ? target - 1 : target;
}

ReorderableList::ReorderableList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
}

void ReorderableList::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() == this)
    QListWidget::dragEnterEvent(event);
  else
    event->ignore();
}

void ReorderableList::dragMoveEvent(QDragMoveEvent* event) {
  if (event->source() == this)
    QListWidget::dragMoveEvent(event);
  else
    event->ignore();
}

void ReorderableList::dropEvent(QDropEvent* event) {
  if (event->source() != this) {
    event->ignore();
    return;
  }
  const int from = currentRow();
  const QModelIndex target = indexAt(event->position().toPoint());
  const int to = PositionAfterDrop(from, target.isValid() ? target.row() : -1, count());
  // A copy as far as Qt knows, so that the view removes no row itself; the
  // owner refills the list once the drag has ended.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  // What the view's own drop would have ended.
  stopAutoScroll();
  setState(NoState);
  viewport()->update();
  if (from < 0 || from == to) return;
  QTimer::singleShot(0, this, [this, from, to] { emit MoveRequested(from, to); });
}

}  // namespace liftvox
