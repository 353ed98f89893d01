#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "ui/drag_formats.h"

class QMenu;

namespace liftvox {

class EditingSession;
class IconLibrary;
class TSekvence;

// The configuration as a grid, one row per sequence: a header cell, then a
// cell per sample. Paints only the visible cells, straight from the
// document; edits go through the editing session (one undo step each); the
// selection through the document's own operations. It follows the session's
// gathered change notices itself.
class SequenceWorkspace final : public QAbstractScrollArea {
  Q_OBJECT

 public:
  SequenceWorkspace(EditingSession& session, const IconLibrary& icons, QWidget* parent = nullptr);
  ~SequenceWorkspace() override;

  // The main window's menus for a right click on a sample, on a sequence
  // header, and on empty space.
  void SetContextMenus(QMenu* sampleMenu, QMenu* sequenceMenu, QMenu* blankMenu);

  // The in-place silence editor's value in milliseconds (starts at 500):
  // also the length of the next added silence.
  int SilenceMilliseconds() const;

  // What the session's notices call; the content also after a language switch.
  void OnContentChanged(int sequenceIndex);
  void OnSelectionChanged();

  // What a drop does, without a real drag (tests call it): `files` are the
  // dropped WAV files in order (browser or file manager), `dilEntryName` the
  // browser's association for a browser file. Samples go into the row under
  // `gridPoint`, before the sample cell under it (after the row's last one
  // beyond it); a moved sequence goes to that row. All of one drop is one
  // undo step. True when the configuration changed.
  bool Drop(DropSource source, QPoint gridPoint, Qt::KeyboardModifiers modifiers,
            const QStringList& files = {}, const QString& dilEntryName = {});

  // Asked when a dropped file is not mono at 14000..15000 Hz: true converts
  // it. The default shows the "WavFormat" box with OK and "Convert", and a
  // "Normalise" box that shows and sets normaliseConversions.
  std::function<bool(const QString& file)> offerConversion;
  // Whether a converted copy is normalised too (a program setting).
  bool normaliseConversions = false;
  // Asked after a Ctrl-drop copied a sequence: false removes the copy again.
  // Unset: the copy stays (the sequence properties dialog plugs in here).
  std::function<bool(TSekvence& copy)> confirmSequenceCopy;

 signals:
  // Double click: play the sample or sequence there; with Shift: its properties.
  void PlaySampleRequested();
  void PlaySequenceRequested();
  void SamplePropertiesRequested();
  void SequencePropertiesRequested();
  // The selected sample changed by mouse or keyboard (auto-play, play button).
  void SelectedSampleChanged();
  // A status-bar hint for the cell under the pointer, or empty.
  void HintChanged(const QString& hint);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct State;
  QPoint ScrollOffset() const;
  void UpdateScrollRanges();
  void ScrollToSelection();
  void OpenSampleEditor(int sequenceIndex, int sampleIndex);
  void CloseSilenceEditor(bool apply);
  void CloseDilChooser();
  void ChooseDilEntry(int index);
  void StartDrag(bool copy);
  void ShowDragHint(QPoint viewPoint);
  // The status bar's hint for the cell at a viewport point, shown when it changes.
  QString HintAt(QPoint viewPoint) const;
  void ShowHint(const QString& hint);
  void RefreshHint();
  void HideDragHint();
  void StopDragFeedback();
  bool DropWaveFiles(const QStringList& files, int dilIndex, int row, int column);
  bool DropSilence(int row, int column);
  bool MoveSelection(int row, int column);
  bool CopySelection(int row, int column);
  bool CopySequence(TSekvence& source, int row);
  bool AskConversion(const QString& file);
  // A text of the current language as a QString.
  QString Translate(const char* key, const char* czechDefault) const;

  EditingSession& session_;
  const IconLibrary& icons_;
  std::unique_ptr<State> state_;
};

}  // namespace liftvox
