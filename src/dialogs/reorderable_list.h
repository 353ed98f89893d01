#pragma once

#include <QListWidget>

namespace liftvox {

// Where an item dragged from row `from` ends in a list of `count` items when
// it is dropped on row `target` (it goes just before that item) or on empty
// space (`target` < 0: it goes to the end).
int PositionAfterDrop(int from, int target, int count);

// A list whose items the user reorders by dragging them within it (drags
// from elsewhere are refused). The list moves nothing itself: it asks its
// owner, which moves what the items stand for and fills the list again.
class ReorderableList final : public QListWidget {
  Q_OBJECT

 public:
  explicit ReorderableList(QWidget* parent);

 signals:
  // Move the item at `from` so that it ends at `to`.
  void MoveRequested(int from, int to);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace liftvox
