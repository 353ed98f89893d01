#include "ui/browser_list_view.h"

#include <QDrag>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace liftvox {
namespace {

constexpr int kDragDistance = 4;

}  // namespace

BrowserListView::BrowserListView(QWidget* parent) : QTreeView(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);  // keeps thousands of rows cheap
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(false);  // drags start here, with their own threshold
  header()->setSectionsClickable(true);
  header()->setSectionsMovable(false);
  header()->setStretchLastSection(true);  // long lengths get the room the pane has
  connect(this, &QTreeView::doubleClicked, this, &BrowserListView::ItemEntered);
}

void BrowserListView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      event->modifiers() == Qt::NoModifier) {
    if (currentIndex().isValid()) emit ItemEntered(currentIndex());
    event->accept();
    return;
  }
  // Everything else, typed letters included: the view's incremental search.
  QTreeView::keyPressEvent(event);
}

void BrowserListView::mousePressEvent(QMouseEvent* event) {
  QTreeView::mousePressEvent(event);
  pressedRow_ = -1;
  if (event->button() != Qt::LeftButton) return;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid() || !canDrag || !dragData || !canDrag(index.row())) return;
  pressedRow_ = index.row();
  pressPoint_ = event->position().toPoint();
}

void BrowserListView::mouseMoveEvent(QMouseEvent* event) {
  if (pressedRow_ < 0 || !(event->buttons() & Qt::LeftButton)) {
    QTreeView::mouseMoveEvent(event);
    return;
  }
  // While a draggable row is held the selection stays on it.
  if ((event->position().toPoint() - pressPoint_).manhattanLength() < kDragDistance) return;
  const int row = pressedRow_;
  pressedRow_ = -1;
  if (QMimeData* data = dragData(row)) {
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
  }
}

void BrowserListView::mouseReleaseEvent(QMouseEvent* event) {
  pressedRow_ = -1;
  QTreeView::mouseReleaseEvent(event);
}

void BrowserListView::focusInEvent(QFocusEvent* event) {
  QTreeView::focusInEvent(event);
  emit FocusEntered();
}

void BrowserListView::focusOutEvent(QFocusEvent* event) {
  QTreeView::focusOutEvent(event);
  // A menu opening or another window getting active does not take the
  // browser's place: the play command still means the browser's file.
  if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
    emit FocusLeft();
  }
}

}  // namespace liftvox
