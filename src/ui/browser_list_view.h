#pragma once

#include <QPoint>
#include <QTreeView>

#include <functional>

class QMimeData;

namespace liftvox {

// The sample browser's list: a flat two-column view that enters an item on
// Enter or a double click, starts a drag of a draggable item once the mouse
// has moved 4 pixels with the left button held, and reports when it gains or
// loses the focus.
class BrowserListView final : public QTreeView {
  Q_OBJECT

 public:
  explicit BrowserListView(QWidget* parent = nullptr);

  // Whether a row can be dragged, and its drag data.
  std::function<bool(int row)> canDrag;
  std::function<QMimeData*(int row)> dragData;

 signals:
  void ItemEntered(const QModelIndex& index);
  void FocusEntered();
  void FocusLeft();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int pressedRow_ = -1;  // a draggable row under a held left button
  QPoint pressPoint_;
};

}  // namespace liftvox
