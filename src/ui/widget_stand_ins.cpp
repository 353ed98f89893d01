// Temporary stand-ins for the sequence workspace and the sample browser, so
// the main window builds and runs before their real implementations land.
// An empty painted area and an empty list; removed at the merge.
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/document_editor.h"
#include "ui/icon_library.h"
#include "ui/sample_browser.h"
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

struct SampleBrowser::State {
  QString directory;
  QListWidget* list = nullptr;
  QToolButton* play = nullptr;
  QToolButton* autoPlay = nullptr;
};

SampleBrowser::SampleBrowser(const IconLibrary& icons, const Translator& translator,
                             QWidget* parent)
    : QWidget(parent), icons_(icons), translator_(translator), state_(new State) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  state_->list = new QListWidget(this);
  layout->addWidget(state_->list);
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  state_->play = new QToolButton(this);
  state_->play->setObjectName("PlayButton");
  state_->play->setText(QString::fromUtf8("\u25B6"));
  auto* stop = new QToolButton(this);
  stop->setObjectName("StopButton");
  stop->setText(QString::fromUtf8("\u25A0"));
  state_->autoPlay = new QToolButton(this);
  state_->autoPlay->setObjectName("AutoPlayButton");
  state_->autoPlay->setText("Auto");
  state_->autoPlay->setCheckable(true);
  for (QToolButton* button : {state_->play, stop, state_->autoPlay}) {
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    buttons->addWidget(button);
  }
  connect(state_->play, &QToolButton::clicked, this, &SampleBrowser::PlayClicked);
  connect(stop, &QToolButton::clicked, this, &SampleBrowser::StopClicked);
  connect(state_->autoPlay, &QToolButton::toggled, this, &SampleBrowser::AutoPlayToggled);
}

SampleBrowser::~SampleBrowser() = default;

bool SampleBrowser::LoadDirectory(const QString& directory) {
  const QFileInfo folder(directory);
  if (!folder.isDir()) return false;
  state_->directory = folder.absoluteFilePath();
  emit DirectoryChanged(state_->directory);
  return true;
}
QString SampleBrowser::Directory() const { return state_->directory; }
void SampleBrowser::SetDilEntries(const std::vector<DilEntry>&) {}
QString SampleBrowser::SelectedWaveFile() const { return {}; }
bool SampleBrowser::ListHasFocus() const { return state_->list->hasFocus(); }
bool SampleBrowser::AutoPlay() const { return state_->autoPlay->isChecked(); }
void SampleBrowser::SetPlayEnabled(bool enabled) { state_->play->setEnabled(enabled); }
void SampleBrowser::Retranslate() {}

}  // namespace liftvox
