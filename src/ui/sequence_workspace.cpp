#include "ui/sequence_workspace.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "commands/recording_copy_commands.h"
#include "config/paths.h"
#include "model/document.h"
#include "model/editing.h"
#include "model/sequence_copy.h"
#include "session/editing_session.h"
#include "ui/dil_entry_chooser.h"
#include "ui/icon_library.h"
#include "ui/wave_drop.h"
#include "ui/workspace_geometry.h"
#include "ui/workspace_painter.h"

namespace liftvox {
namespace {

constexpr int kScrollSmallStep = 25;
constexpr int kScrollLargeStep = 100;
constexpr int kDragThreshold = 4;
constexpr int kDragTimerMs = 50;
constexpr int kHintTimerMs = 100;
constexpr int kHintMaxWidth = 250;
constexpr int kInitialSilenceMs = 500;
constexpr int kSilenceMinMs = 10;
constexpr int kSilenceMaxMs = kLongestSilenceMilliseconds;
constexpr int kSilenceStepMs = 10;
// In-place editors, relative to the sample cell.
constexpr QPoint kSilenceEditorOffset(5, 23);
constexpr QSize kSilenceEditorSize(94, 22);
constexpr QPoint kChooserOffset(6, 24);
constexpr QSize kChooserSize(92, 20);

// Which sample is selected, to tell whether a click or key changed it. The
// address only tells samples apart; it is never followed.
struct SelectedSampleKey {
  std::uintptr_t address = 0;
  int sequence = -1;
  int sample = -1;
  bool operator==(const SelectedSampleKey&) const = default;
};

SelectedSampleKey SelectedSampleOf(const TPametRevazie& document) {
  const TVzorek* sample = document.GetSelectedSample();
  if (!sample || !sample->Sequence) return {};
  return {reinterpret_cast<std::uintptr_t>(sample), document.IndexOf(sample->Sequence),
          sample->Sequence->IndexOf(sample)};
}

int DilIndexNamed(const TPametRevazie& document, const QString& upperCaseName) {
  if (upperCaseName.isEmpty()) return 0;
  const std::string wanted = ToUpperText(upperCaseName.toStdString());
  for (std::size_t i = 0; i < document.DilEntries.size(); ++i)
    if (ToUpperText(document.DilEntries[i].Name) == wanted) return static_cast<int>(i);
  return 0;
}

std::filesystem::path LocalPath(const QString& file) {
  return PathFromUtf8(QDir::toNativeSeparators(file).toStdString());
}

// The WAV files among dropped URLs, in their order.
QStringList LocalWaveFiles(const QMimeData& data) {
  QStringList files;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    const QFileInfo info(url.toLocalFile());
    if (info.isFile() && info.suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) == 0)
      files.append(info.absoluteFilePath());
  }
  return files;
}

}  // namespace

struct SequenceWorkspace::State {
  QMenu* sampleMenu = nullptr;
  QMenu* sequenceMenu = nullptr;
  QMenu* blankMenu = nullptr;

  QSpinBox* silenceEditor = nullptr;
  bool silenceEditorOpen = false;
  DilEntryChooser* dilChooser = nullptr;
  bool dilChooserOpen = false;

  QIcon silenceIcon;
  QString hoverHint;

  // A press that may become a drag.
  bool dragArmed = false;
  QPoint pressPoint;

  // Feedback while something is dragged over the grid.
  QLabel* hintWindow = nullptr;
  QTimer hintTimer;
  QTimer dragTimer;
  QPoint edgeScrollStep;
};

SequenceWorkspace::SequenceWorkspace(EditingSession& session, const IconLibrary& icons,
                                     QWidget* parent)
    : QAbstractScrollArea(parent),
      session_(session),
      icons_(icons),
      state_(std::make_unique<State>()) {
  setFocusPolicy(Qt::StrongFocus);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  horizontalScrollBar()->setSingleStep(kScrollSmallStep);
  horizontalScrollBar()->setPageStep(kScrollLargeStep);
  verticalScrollBar()->setSingleStep(kScrollSmallStep);
  verticalScrollBar()->setPageStep(kScrollLargeStep);

  state_->silenceIcon = style()->standardIcon(QStyle::SP_MediaVolumeMuted);

  auto* silenceEditor = new QSpinBox(viewport());
  silenceEditor->setRange(kSilenceMinMs, kSilenceMaxMs);
  silenceEditor->setSingleStep(kSilenceStepMs);
  silenceEditor->setValue(kInitialSilenceMs);
  // A typed 5 becomes 10, not the value from before.
  silenceEditor->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  silenceEditor->hide();
  connect(silenceEditor, &QSpinBox::editingFinished, this, [this] { CloseSilenceEditor(true); });
  state_->silenceEditor = silenceEditor;

  auto* chooser = new DilEntryChooser(icons_, viewport());
  chooser->hide();
  connect(chooser, &QComboBox::activated, this, &SequenceWorkspace::ChooseDilEntry);
  connect(chooser, &DilEntryChooser::Dismissed, this, &SequenceWorkspace::CloseDilChooser);
  state_->dilChooser = chooser;

  auto* hint = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
  hint->setTextFormat(Qt::PlainText);  // a sequence's name, as it stands
  hint->setMaximumWidth(kHintMaxWidth);
  hint->setPalette(QToolTip::palette());
  hint->setFrameStyle(QFrame::Box | QFrame::Plain);
  hint->setMargin(2);
  hint->hide();
  state_->hintWindow = hint;
  state_->hintTimer.setSingleShot(true);
  state_->hintTimer.setInterval(kHintTimerMs);
  connect(&state_->hintTimer, &QTimer::timeout, this, &SequenceWorkspace::HideDragHint);
  state_->dragTimer.setInterval(kDragTimerMs);
  connect(&state_->dragTimer, &QTimer::timeout, this, [this] {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + state_->edgeScrollStep.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + state_->edgeScrollStep.y());
  });

  offerConversion = [this](const QString& file) { return AskConversion(file); };
  connect(&session_, &EditingSession::ContentChanged, this, &SequenceWorkspace::OnContentChanged);
  connect(&session_, &EditingSession::SelectionChanged, this,
          &SequenceWorkspace::OnSelectionChanged);
  UpdateScrollRanges();
}

SequenceWorkspace::~SequenceWorkspace() = default;

void SequenceWorkspace::SetContextMenus(QMenu* sampleMenu, QMenu* sequenceMenu, QMenu* blankMenu) {
  state_->sampleMenu = sampleMenu;
  state_->sequenceMenu = sequenceMenu;
  state_->blankMenu = blankMenu;
}

int SequenceWorkspace::SilenceMilliseconds() const { return state_->silenceEditor->value(); }

void SequenceWorkspace::OnContentChanged(int /*sequenceIndex*/) {
  // An editor open over a sample that an undo just replaced would apply to
  // the wrong one: close it unapplied.
  CloseSilenceEditor(false);
  CloseDilChooser();
  UpdateScrollRanges();
  viewport()->update();
  RefreshHint();
}

void SequenceWorkspace::OnSelectionChanged() {
  UpdateScrollRanges();
  ScrollToSelection();
  viewport()->update();
}

QString SequenceWorkspace::Translate(const char* key, const char* czechDefault) const {
  return QString::fromStdString(session_.Document().Translate(key, czechDefault));
}

QPoint SequenceWorkspace::ScrollOffset() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void SequenceWorkspace::UpdateScrollRanges() {
  const TPametRevazie& document = session_.Document();
  int maxSamples = 0;
  for (const auto& sequence : document.SequenceList)
    maxSamples = std::max(maxSamples, sequence->SampleCount());
  const QSize grid = GridSize(document.SequenceCount(), maxSamples);
  const QSize view = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, grid.width() - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, grid.height() - view.height()));
}

void SequenceWorkspace::ScrollToSelection() {
  const TPametRevazie& document = session_.Document();
  QRect area;
  if (const TVzorek* sample = document.GetSelectedSample()) {
    area =
        SampleSelectionArea(document.IndexOf(sample->Sequence), sample->Sequence->IndexOf(sample));
  } else if (const TSekvence* sequence = document.GetSelectedSequence()) {
    area = SequenceSelectionArea(document.IndexOf(sequence));
  } else {
    return;
  }
  const QSize view = viewport()->size();
  QScrollBar* horizontal = horizontalScrollBar();
  QScrollBar* vertical = verticalScrollBar();
  horizontal->setValue(
      ScrollToShow(horizontal->value(), view.width(), area.left(), area.left() + area.width()));
  vertical->setValue(
      ScrollToShow(vertical->value(), view.height(), area.top(), area.top() + area.height()));
}

// --- painting ---------------------------------------------------------------

void SequenceWorkspace::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPoint offset = ScrollOffset();
  painter.translate(-offset);
  WorkspaceLook look;
  look.font = font();
  look.palette = palette();
  look.frameColor = palette().color(QPalette::Dark);
  look.silenceIcon = state_->silenceIcon;
  look.silenceText = Translate("Silence", "Ticho");
  PaintWorkspace(painter, session_.Document(), icons_, look, event->rect().translated(offset));
}

void SequenceWorkspace::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRanges();
}

void SequenceWorkspace::scrollContentsBy(int dx, int dy) {
  // Moves the open in-place editor along with its cell.
  viewport()->scroll(dx, dy);
  RefreshHint();
}

// --- mouse ------------------------------------------------------------------

void SequenceWorkspace::mousePressEvent(QMouseEvent* event) {
  // Taking the focus first makes an open in-place editor apply its value to
  // the sample it was opened on, before the selection moves.
  setFocus(Qt::MouseFocusReason);
  state_->dragArmed = false;
  TPametRevazie& document = session_.Document();
  const SelectedSampleKey before = SelectedSampleOf(document);
  const QPoint viewPoint = event->position().toPoint();
  const GridHit hit = HitTest(document, viewPoint + ScrollOffset());
  const bool right = event->button() == Qt::RightButton;
  const QPoint globalPoint = event->globalPosition().toPoint();

  if (hit.sequence >= 0) {
    int sample = hit.sample;
    int sequence = hit.sequence;
    document.SelectAt(sample, sequence);
    if (hit.inBox) {
      OpenSampleEditor(hit.sequence, hit.sample);
      return;
    }
    QMenu* menu = hit.IsSample() ? state_->sampleMenu : state_->sequenceMenu;
    if (right && menu) menu->popup(globalPoint);
  } else if (right && state_->blankMenu) {
    state_->blankMenu->popup(globalPoint);
  }

  state_->dragArmed = event->button() == Qt::LeftButton && hit.sequence >= 0;
  state_->pressPoint = viewPoint;
  if (SelectedSampleOf(document) != before) emit SelectedSampleChanged();
}

void SequenceWorkspace::mouseMoveEvent(QMouseEvent* event) {
  const QPoint viewPoint = event->position().toPoint();
  if (state_->dragArmed && (event->buttons() & Qt::LeftButton)) {
    const QPoint moved = viewPoint - state_->pressPoint;
    if (std::abs(moved.x()) >= kDragThreshold || std::abs(moved.y()) >= kDragThreshold) {
      state_->dragArmed = false;
      if (!(event->modifiers() & Qt::ShiftModifier))
        StartDrag(event->modifiers() & Qt::ControlModifier);
    }
    return;
  }

  ShowHint(HintAt(viewPoint));
}

QString SequenceWorkspace::HintAt(QPoint viewPoint) const {
  const TPametRevazie& document = session_.Document();
  const GridHit hit = HitTest(document, viewPoint + ScrollOffset());
  if (hit.IsSample()) {
    const TVzorek& sample = *document.SequenceAt(hit.sequence)->SampleAt(hit.sample);
    return sample.Silence ? Translate("Silence", "Ticho") + u' ' +
                                QString::number(MillisecondsFromSamples(sample.Samples)) +
                                QStringLiteral(" [ms]")
                          : QString::fromStdString(sample.FileName);
  }
  if (hit.IsSequence()) return SequenceHintText(*document.SequenceAt(hit.sequence));
  return {};
}

void SequenceWorkspace::ShowHint(const QString& hint) {
  if (hint == state_->hoverHint) return;
  state_->hoverHint = hint;
  emit HintChanged(hint);
}

void SequenceWorkspace::RefreshHint() {
  // An edit or a scroll under a still mouse: the hint shows what is under it now.
  if (state_->hoverHint.isEmpty()) return;
  const QPoint viewPoint = viewport()->mapFromGlobal(QCursor::pos());
  ShowHint(viewport()->rect().contains(viewPoint) ? HintAt(viewPoint) : QString());
}

void SequenceWorkspace::leaveEvent(QEvent* /*event*/) { ShowHint(QString()); }

void SequenceWorkspace::mouseReleaseEvent(QMouseEvent* /*event*/) { state_->dragArmed = false; }

void SequenceWorkspace::mouseDoubleClickEvent(QMouseEvent* event) {
  const GridHit hit = HitTest(session_.Document(), event->position().toPoint() + ScrollOffset());
  const bool properties = event->modifiers() & Qt::ShiftModifier;
  if (hit.IsSample()) {
    if (properties)
      emit SamplePropertiesRequested();
    else
      emit PlaySampleRequested();
  } else if (hit.IsSequence()) {
    if (properties)
      emit SequencePropertiesRequested();
    else
      emit PlaySequenceRequested();
  }
}

// --- keyboard ---------------------------------------------------------------

void SequenceWorkspace::keyPressEvent(QKeyEvent* event) {
  const bool control = event->modifiers() & Qt::ControlModifier;
  WorkspaceKey key;
  int rows = 1;
  switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      // A page of whole rows, at least one.
      rows = std::max(viewport()->height() / kSequenceRowHeight, 1);
      key = event->key() == Qt::Key_PageUp ? WorkspaceKey::Up : WorkspaceKey::Down;
      break;
    case Qt::Key_Home:
      if (!control) return QAbstractScrollArea::keyPressEvent(event);
      key = WorkspaceKey::CtrlHome;
      break;
    case Qt::Key_End:
      if (!control) return QAbstractScrollArea::keyPressEvent(event);
      key = WorkspaceKey::CtrlEnd;
      break;
    case Qt::Key_Left:
      key = WorkspaceKey::Left;
      break;
    case Qt::Key_Right:
      key = WorkspaceKey::Right;
      break;
    case Qt::Key_Up:
      key = WorkspaceKey::Up;
      break;
    case Qt::Key_Down:
      key = WorkspaceKey::Down;
      break;
    case Qt::Key_Delete:
      key = WorkspaceKey::Delete;
      break;
    default:
      return QAbstractScrollArea::keyPressEvent(event);
  }
  TPametRevazie& document = session_.Document();
  const SelectedSampleKey before = SelectedSampleOf(document);
  if (key == WorkspaceKey::Delete) {
    const QString step = document.GetSelectedSample() ? Translate("SampleDelete", "Smazání hlášky")
                                                      : Translate("SekvDelete", "Smazání sekvence");
    session_.Edit(step, [&document] { HandleWorkspaceKey(document, WorkspaceKey::Delete); });
  } else {
    HandleWorkspaceKey(document, key, rows);
  }
  if (SelectedSampleOf(document) != before) emit SelectedSampleChanged();
}

// --- in-place editors -----------------------------------------------------------

void SequenceWorkspace::OpenSampleEditor(int sequenceIndex, int sampleIndex) {
  const TPametRevazie& document = session_.Document();
  const TVzorek& sample = *document.SequenceAt(sequenceIndex)->SampleAt(sampleIndex);
  const QPoint cell = QPoint(SampleLeft(sampleIndex), RowTop(sequenceIndex)) - ScrollOffset();
  if (sample.Silence) {
    QSpinBox* editor = state_->silenceEditor;
    editor->setValue(MillisecondsFromSamples(sample.Samples));
    editor->setGeometry(QRect(cell + kSilenceEditorOffset, kSilenceEditorSize));
    state_->silenceEditorOpen = true;
    editor->show();
    editor->setFocus(Qt::MouseFocusReason);
    editor->selectAll();
    return;
  }
  DilEntryChooser* chooser = state_->dilChooser;
  chooser->Fill(document.DilEntries, sample.DIL);
  chooser->setGeometry(QRect(cell + kChooserOffset, kChooserSize));
  state_->dilChooserOpen = true;
  chooser->show();
  chooser->setFocus(Qt::MouseFocusReason);
  chooser->showPopup();
}

void SequenceWorkspace::CloseSilenceEditor(bool apply) {
  if (!state_->silenceEditorOpen) return;
  state_->silenceEditorOpen = false;
  QSpinBox* editor = state_->silenceEditor;
  const int milliseconds = editor->value();
  // Enter leaves the focus in the field: give it back to the grid. A click
  // elsewhere has already moved it where the user wanted.
  if (editor->hasFocus()) setFocus(Qt::OtherFocusReason);
  editor->hide();
  if (!apply) return;
  TPametRevazie& document = session_.Document();
  session_.Edit(Translate("SilenceLength", "Změna délky ticha"),
                [&document, milliseconds] { ApplySilenceLength(document, milliseconds); });
  // The value kept is also the next added silence's length.
  editor->setValue(std::clamp(milliseconds, kSilenceMinMs, kSilenceMaxMs));
}

void SequenceWorkspace::CloseDilChooser() {
  if (!state_->dilChooserOpen) return;
  state_->dilChooserOpen = false;
  DilEntryChooser* chooser = state_->dilChooser;
  if (chooser->hasFocus() || chooser->view()->isVisible()) setFocus(Qt::OtherFocusReason);
  chooser->hidePopup();
  chooser->hide();
}

void SequenceWorkspace::ChooseDilEntry(int index) {
  if (!state_->dilChooserOpen) return;
  CloseDilChooser();
  TPametRevazie& document = session_.Document();
  TVzorek* sample = document.GetSelectedSample();
  if (!sample || sample->Silence || index < 0) return;
  session_.Edit(Translate("SampleDIL", "Změna DIL hlášky"), [&document, sample, index] {
    if (sample->DIL == index) return;
    sample->DIL = index;
    document.MarkImageStale();
    document.NotifyContentChanged(document.IndexOf(sample->Sequence));
  });
}

// --- dragging ---------------------------------------------------------------

void SequenceWorkspace::StartDrag(bool copy) {
  auto* drag = new QDrag(this);
  auto* data = new QMimeData;
  data->setData(kWorkspaceItemMimeType, QByteArray());
  drag->setMimeData(data);
  drag->exec(Qt::CopyAction | Qt::MoveAction, copy ? Qt::CopyAction : Qt::MoveAction);
  StopDragFeedback();
}

void SequenceWorkspace::ShowDragHint(QPoint viewPoint) {
  const TPametRevazie& document = session_.Document();
  const int row = RowAt(viewPoint.y() + ScrollOffset().y(), document.SequenceCount());
  if (row < 0) return;
  QLabel* hint = state_->hintWindow;
  hint->setText(SequenceHintText(*document.SequenceAt(row)));
  hint->adjustSize();
  hint->move(viewport()->mapToGlobal(viewPoint + QPoint(16, 0)));
  hint->show();
  state_->hintTimer.start();
}

void SequenceWorkspace::HideDragHint() {
  state_->hintTimer.stop();
  state_->hintWindow->hide();
}

void SequenceWorkspace::StopDragFeedback() {
  state_->dragTimer.stop();
  state_->edgeScrollStep = QPoint();
  HideDragHint();
}

void SequenceWorkspace::dragEnterEvent(QDragEnterEvent* event) { event->acceptProposedAction(); }

void SequenceWorkspace::dragMoveEvent(QDragMoveEvent* event) {
  const QPoint viewPoint = event->position().toPoint();
  ShowDragHint(viewPoint);
  state_->edgeScrollStep = EdgeScrollStep(viewPoint, viewport()->size());
  // Restarting on every move would keep a timer that must tick from firing.
  if (!state_->dragTimer.isActive()) state_->dragTimer.start();
  const bool internal = event->source() == this;
  if (internal && (event->modifiers() & Qt::ControlModifier)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else if (internal) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
  } else {
    event->acceptProposedAction();
  }
}

void SequenceWorkspace::dragLeaveEvent(QDragLeaveEvent* /*event*/) { StopDragFeedback(); }

void SequenceWorkspace::dropEvent(QDropEvent* event) {
  StopDragFeedback();
  const QMimeData& data = *event->mimeData();
  const QPoint gridPoint = event->position().toPoint() + ScrollOffset();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  BrowserDragItem item;
  if (event->source() == this && data.hasFormat(kWorkspaceItemMimeType)) {
    Drop(DropSource::Workspace, gridPoint, modifiers);
  } else if (ReadBrowserMimeData(data, item)) {
    if (item.silence)
      Drop(DropSource::BrowserSilence, gridPoint, modifiers);
    else
      Drop(DropSource::BrowserFile, gridPoint, modifiers, {item.filePath}, item.dilEntryName);
  } else if (data.hasUrls()) {
    const QStringList files = LocalWaveFiles(data);
    if (!files.isEmpty()) Drop(DropSource::ExternalFiles, gridPoint, modifiers, files);
  }
  event->acceptProposedAction();
}

// --- dropping ---------------------------------------------------------------

bool SequenceWorkspace::Drop(DropSource source, QPoint gridPoint, Qt::KeyboardModifiers modifiers,
                             const QStringList& files, const QString& dilEntryName) {
  HideDragHint();
  const int row = InsertionRow(gridPoint.y());
  const int column = InsertionColumn(gridPoint.x());
  switch (source) {
    case DropSource::BrowserFile:
      return DropWaveFiles(files, DilIndexNamed(session_.Document(), dilEntryName), row, column);
    case DropSource::ExternalFiles:
      return DropWaveFiles(files, 0, row, column);
    case DropSource::BrowserSilence:
      return DropSilence(row, column);
    case DropSource::Workspace:
      return modifiers & Qt::ControlModifier ? CopySelection(row, column)
                                             : MoveSelection(row, column);
  }
  return false;
}

bool SequenceWorkspace::DropWaveFiles(const QStringList& files, int dilIndex, int row, int column) {
  TPametRevazie& document = session_.Document();
  if (document.SequenceCount() == 0) return false;
  const QString caption = Translate("AddSample", "Přidání hlášky");

  // Every question is asked before the configuration changes, so the change
  // itself is one step.
  std::vector<std::unique_ptr<TVzorek>> samples;
  for (const QString& file : files) {
    std::filesystem::path path = LocalPath(file);
    DroppedWave wave = InspectDroppedWave(path);
    if (!wave.announcerFormat) {
      if (!offerConversion) {
        document.prompter().Warn(
            {"WavFormat", caption.toStdString(),
             document.Translate("WavFormat", "Zvukový soubor musí mít formát 14456Hz mono!")});
        continue;
      }
      if (!offerConversion(file)) continue;
      // A plain conversion keeps the name "name-14456.wav".
      const auto copy = CopyRecording(document, path, UserDataFolder(),
                                      {.normalise = normaliseConversions}, caption.toStdString());
      if (!copy) continue;
      path = copy->file;
      wave.frames = static_cast<int32_t>(copy->frames);
    }
    auto sample = std::make_unique<TVzorek>();
    sample->SetFileName(PathToUtf8(path));
    sample->DIL = dilIndex;
    if (wave.frames) sample->SetSamples(*wave.frames);
    samples.push_back(std::move(sample));
  }
  if (samples.empty()) return false;

  int inserted = 0;
  session_.Edit(caption, [&] {
    for (auto& sample : samples)
      if (document.InsertSample(std::move(sample), row, column + inserted)) ++inserted;
  });
  return inserted > 0;
}

bool SequenceWorkspace::DropSilence(int row, int column) {
  TPametRevazie& document = session_.Document();
  if (document.SequenceCount() == 0) return false;
  auto silence = std::make_unique<TVzorek>();
  silence->Silence = true;
  silence->SetFileName(document.Translate("Silence", "Ticho"));
  silence->SetSamples(SamplesFromMilliseconds(SilenceMilliseconds()));
  bool inserted = false;
  session_.Edit(Translate("AddSample", "Přidání hlášky"), [&] {
    inserted = document.InsertSample(std::move(silence), row, column) != nullptr;
  });
  return inserted;
}

bool SequenceWorkspace::MoveSelection(int row, int column) {
  TPametRevazie& document = session_.Document();
  bool moved = false;
  if (TVzorek* sample = document.GetSelectedSample()) {
    const SelectedSampleKey from = SelectedSampleOf(document);
    session_.Edit(Translate("SampleMove", "Přesun hlášky"), [&] {
      document.MoveSample(sample, row, column);
      moved = SelectedSampleOf(document) != from;
    });
  } else if (TSekvence* sequence = document.GetSelectedSequence()) {
    const int from = document.IndexOf(sequence);
    session_.Edit(Translate("SekvMove", "Přesun sekvence"), [&] {
      document.MoveSequence(sequence, row);
      moved = document.IndexOf(sequence) != from;
    });
  }
  return moved;
}

bool SequenceWorkspace::CopySelection(int row, int column) {
  TPametRevazie& document = session_.Document();
  if (const TVzorek* sample = document.GetSelectedSample()) {
    auto copy = CopySample(*sample);
    bool inserted = false;
    session_.Edit(Translate("SampleCopy", "Kopírování hlášky"), [&] {
      inserted = document.InsertSample(std::move(copy), row, column) != nullptr;
    });
    return inserted;
  }
  TSekvence* sequence = document.GetSelectedSequence();
  if (!sequence || document.SequenceCount() >= kMaxSequences) return false;
  return CopySequence(*sequence, row);
}

bool SequenceWorkspace::CopySequence(TSekvence& source, int row) {
  TPametRevazie& document = session_.Document();
  bool kept = false;
  session_.Edit(Translate("SekvCopy", "Kopírování sekvence"), [&] {
    auto head = CopySequenceHead(document, source);
    TSekvence* copy = head.get();
    if (!document.InsertSequenceChecked(std::move(head), row)) return;
    kept = !confirmSequenceCopy || confirmSequenceCopy(*copy);
    if (kept) {
      for (int i = 0; i < source.SampleCount(); ++i)
        document.AppendSample(copy, CopySample(*source.SampleAt(i)));
    } else {
      document.DeleteSequence(copy);
    }
    // The copy, or the source again when the copy went: deleting cleared it.
    int sample = -1;
    int sequence = document.IndexOf(kept ? copy : &source);
    document.SelectAt(sample, sequence);
  });
  return kept;
}

bool SequenceWorkspace::AskConversion(const QString& file) {
  // The file's name goes in the box's own text, which alone can be kept plain.
  QMessageBox box(QMessageBox::Warning, Translate("AddSample", "Přidání hlášky"),
                  Translate("WavFormat", "Zvukový soubor musí mít formát 14456Hz mono!") + "\n\n" +
                      QDir::toNativeSeparators(file),
                  QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  QPushButton* convert = box.addButton(Translate("Convert", "Převést"), QMessageBox::AcceptRole);
  box.setDefaultButton(QMessageBox::Ok);
  auto* normalise =
      new QCheckBox(Translate("ConvertNormalise", "Normalizovat (špička na -1 dBFS)"), &box);
  normalise->setChecked(normaliseConversions);
  box.setCheckBox(normalise);
  box.exec();
  normaliseConversions = normalise->isChecked();
  return box.clickedButton() == convert;
}

}  // namespace liftvox
