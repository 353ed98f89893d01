#pragma once

#include <QListWidget>
#include <QString>

class QMimeData;

namespace liftvox {

// One of a pair of lists between which entries move: "offered" and "chosen".
// An entry keeps its text, icon and data wherever it goes. Dragging moves an
// entry to the drop position, within the list or into its partner; drops
// from anywhere else (another pair, files) are refused.
class TransferList final : public QListWidget {
  Q_OBJECT

 public:
  // `pair` names the pair; only lists of the same pair trade entries.
  TransferList(const QString& pair, QWidget* parent);

  void SetPartner(TransferList* partner) { partner_ = partner; }

  // Moves entry `row` of `from` (this list or its partner) to `position` of
  // this list, as a position before the move; out of range: the end. The
  // moved entry is selected. False when `row` names no entry.
  bool TakeFrom(TransferList& from, int row, int position);
  // The arrow button: the selected entry to the end of the partner.
  bool MoveSelectedToPartner();

  // The row a drop at `point` (viewport coordinates) inserts before.
  int DropPosition(const QPoint& point) const;

 protected:
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
  Qt::DropActions supportedDropActions() const override;
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The list of this pair that `mime` was dragged from and the row, or null.
  TransferList* SourceOf(const QMimeData* mime, int& row);

  QString pair_;
  TransferList* partner_ = nullptr;
};

}  // namespace liftvox
