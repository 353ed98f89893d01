// Temporary stand-in for the sequence workspace, so
// the main window builds and runs before their real implementations land.
// An empty painted area; removed at the merge.
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/document_editor.h"
#include "ui/icon_library.h"
#include "ui/sequence_workspace.h"

namespace liftvox {

struct SequenceWorkspace::State {};

SequenceWorkspace::SequenceWorkspace(DocumentEditor& editor, const IconLibrary& icons,
                                     QWidget* parent)
    : QAbstractScrollArea(parent), editor_(editor), icons_(icons), state_(new State) {
  viewport()->setAutoFillBackground(true);
  QPalette white = viewport()->palette();
  white.setColor(QPalette::Window, Qt::white);
  viewport()->setPalette(white);
  setFocusPolicy(Qt::StrongFocus);
}

SequenceWorkspace::~SequenceWorkspace() = default;

void SequenceWorkspace::SetContextMenus(QMenu*, QMenu*, QMenu*) {}
int SequenceWorkspace::SilenceMilliseconds() const { return 500; }
void SequenceWorkspace::OnContentChanged(int) { viewport()->update(); }
void SequenceWorkspace::OnSelectionChanged() { viewport()->update(); }
bool SequenceWorkspace::Drop(DropSource, QPoint, Qt::KeyboardModifiers, const QStringList&,
                             const QString&) {
  return false;
}
void SequenceWorkspace::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::white);
}
void SequenceWorkspace::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
}
void SequenceWorkspace::scrollContentsBy(int, int) { viewport()->update(); }
void SequenceWorkspace::mousePressEvent(QMouseEvent* event) {
  QAbstractScrollArea::mousePressEvent(event);
}
void SequenceWorkspace::mouseMoveEvent(QMouseEvent* event) {
  QAbstractScrollArea::mouseMoveEvent(event);
}
void SequenceWorkspace::mouseReleaseEvent(QMouseEvent* event) {
  QAbstractScrollArea::mouseReleaseEvent(event);
}
void SequenceWorkspace::mouseDoubleClickEvent(QMouseEvent* event) {
  QAbstractScrollArea::mouseDoubleClickEvent(event);
}
void SequenceWorkspace::keyPressEvent(QKeyEvent* event) {
  QAbstractScrollArea::keyPressEvent(event);
}
void SequenceWorkspace::dragEnterEvent(QDragEnterEvent* event) {
  QAbstractScrollArea::dragEnterEvent(event);
}
void SequenceWorkspace::dragMoveEvent(QDragMoveEvent* event) {
  QAbstractScrollArea::dragMoveEvent(event);
}
void SequenceWorkspace::dragLeaveEvent(QDragLeaveEvent* event) {
  QAbstractScrollArea::dragLeaveEvent(event);
}
void SequenceWorkspace::dropEvent(QDropEvent* event) { QAbstractScrollArea::dropEvent(event); }

}  // namespace liftvox
