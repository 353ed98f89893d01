// The workspace widget on a real document: what it paints, the keyboard,
// clicks into the in-place editors, and every kind of drop with its undo.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDropEvent>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "config/configuration_file.h"
#include "config/paths.h"
#include "model/editing.h"
#include "model/model_fixture.h"
#include "session/editing_session.h"
#include "support/wave_files.h"
#include "ui/drag_formats.h"
#include "ui/icon_library.h"
#include "ui/sequence_workspace.h"

namespace liftvox {
namespace {

using test::AddRecordings;

// A silent 16-bit WAV file of `frames` frames.
QString WriteWave(const std::filesystem::path& path, int channels, int rate, int frames) {
  test::WritePcmWav(path, std::vector<std::uint8_t>(std::size_t(frames * channels * 2), 0), 16,
                    std::uint16_t(channels), std::uint32_t(rate));
  return QString::fromStdString(PathToUtf8(path));
}

std::string ConfigurationText(const TPametRevazie& document) {
  return RenderConfigurationText(document).value_or("(failed)");
}

}  // namespace

class SequenceWorkspaceTest : public QObject {
  Q_OBJECT

 private:
  test::ScriptedPrompter prompter_;
  std::unique_ptr<EditingSession> session_;
  std::unique_ptr<SequenceWorkspace> workspace_;
  IconLibrary icons_;

  TPametRevazie& Document() { return session_->Document(); }
  QUndoStack& Steps() { return session_->UndoStack(); }
  void Undo(int steps) {
    for (int i = 0; i < steps; ++i) Steps().undo();
  }
  // Selection as (sequence, sample).
  std::pair<int, int> Selection() {
    const TVzorek* sample = Document().GetSelectedSample();
    return {Document().SelectedSequenceIndex(), sample ? sample->Sequence->IndexOf(sample) : -1};
  }
  void Select(int sequence, int sample) { Document().SelectAt(sample, sequence); }
  // A sequence's samples as "file length DIL", silences as "- length".
  QStringList Contents(int sequence) {
    QStringList texts;
    for (const auto& sample : Document().SequenceAt(sequence)->SampleList)
      texts << (sample->Silence ? "- " + QString::number(sample->Samples)
                                : QString("%1 %2 %3")
                                      .arg(QString::fromStdString(sample->FileName))
                                      .arg(sample->Samples)
                                      .arg(sample->DIL));
    return texts;
  }
  // Qt delivers a drop only to the widget that accepted the drag's entry.
  void DragAndDrop(const QMimeData& data, QPoint viewPoint) {
    QDragEnterEvent enter(viewPoint, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(workspace_->viewport(), &enter);
    QDropEvent drop(viewPoint, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(workspace_->viewport(), &drop);
  }

 private slots:
  void initTestCase() { icons_.Load(test::BinDir() / "Icons"); }

  void init() {
    prompter_ = {};
    session_ = std::make_unique<EditingSession>();
    Document().SetPrompter(&prompter_);
    Document().IconNames = {"CZ.BMP", "DE.BMP", "DIL.BMP", "EN.BMP", "NEUTRAL.BMP"};
    workspace_ = std::make_unique<SequenceWorkspace>(*session_, icons_);
    workspace_->resize(640, 400);
    workspace_->show();
    QVERIFY(QTest::qWaitForWindowActive(workspace_.get()));
  }
  void cleanup() {
    workspace_.reset();
    session_.reset();
  }

  void paintsEachCellKindInItsColour() {
    TPametRevazie& document = Document();
    AddRecordings(document, false, 128, 4);
    AddRecordings(document, false, 129, 0);
    AddRecordings(document, true, 0, 0);
    AddRecordings(document, true, 1, 0);
    document.ClearSelection();
    TSekvence& first = *document.SequenceAt(0);
    first.SampleAt(1)->Silence = true;
    first.SampleAt(3)->Silence = true;
    first.Selected = first.SampleAt(0)->Selected = first.SampleAt(1)->Selected = true;
    document.SequenceAt(2)->Selected = true;
    document.Recordings.Record({"A2.WAV", "/sounds/a2.wav", RecordingState::Missing, {}});
    const QImage image = workspace_->viewport()->grab().toImage();

    // Away from frames, texts and boxes: the top right of each cell.
    const auto fill = [&image](int left, int top) { return image.pixel(left + 100, top + 3); };
    QCOMPARE(fill(0, 0), qRgb(0xF5, 0x74, 0x5F));    // general, selected
    QCOMPARE(fill(0, 48), qRgb(0xFE, 0xE6, 0xE2));   // general
    QCOMPARE(fill(0, 96), qRgb(0xF7, 0xD5, 0x5F));   // floor, selected
    QCOMPARE(fill(0, 144), qRgb(0xFB, 0xFA, 0xBD));  // floor
    QCOMPARE(fill(112, 0), qRgb(0x91, 0x99, 0xAF));  // WAV, selected
    QCOMPARE(fill(215, 0), qRgb(0x81, 0xA9, 0x9F));  // silence, selected
    QCOMPARE(fill(318, 0), qRgb(0xC1, 0xC9, 0xDF));  // WAV
    QCOMPARE(fill(421, 0), qRgb(0xB1, 0xD9, 0xCF));  // silence
    // Neighbours share their border: column 112 is a frame, 113 a fill.
    QVERIFY(image.pixel(112, 3) != image.pixel(113, 3));
    QCOMPARE(image.pixel(113, 3), qRgb(0x91, 0x99, 0xAF));
    QCOMPARE(image.pixel(185, 30), qRgb(0xFF, 0xFF, 0xFF));  // inside the white box
    // Only the missing recording's path is drawn in red.
    const auto reds = [&image](int left) {
      int count = 0;
      for (int x = left; x < left + 103; ++x)
        for (int y = 0; y < 48; ++y) count += QColor(image.pixel(x, y)) == Qt::red;
      return count;
    };
    QVERIFY(reds(318) > 0);
    QCOMPARE(reds(112), 0);
  }

  void paintsTheLastCellWhenScrolledToTheEnd() {
    for (int i = 0; i < 256; ++i) AddRecordings(Document(), false, i, 50);
    session_->FlushChanges();
    workspace_->horizontalScrollBar()->setValue(workspace_->horizontalScrollBar()->maximum());
    workspace_->verticalScrollBar()->setValue(workspace_->verticalScrollBar()->maximum());
    const QPoint scroll(workspace_->horizontalScrollBar()->value(),
                        workspace_->verticalScrollBar()->value());
    const QImage image = workspace_->viewport()->grab().toImage();
    const QPoint lastCell = QPoint(112 + 103 * 49, 48 * 255) - scroll;
    QCOMPARE(image.pixel(lastCell + QPoint(100, 3)), qRgb(0xC1, 0xC9, 0xDF));
  }

  void keyboardMovesTheSelectionAndScrollsItIntoView_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("control");
    QTest::addColumn<QPoint>("from");  // (sequence, sample)
    QTest::addColumn<QPoint>("to");
    // Sequence 0 has 3 samples, 1 has 1, 2..18 none, the last 2.
    const auto row = [](const char* name, Qt::Key key, bool control, QPoint from, QPoint to) {
      QTest::newRow(name) << int(key) << control << from << to;
    };
    row("right stops at the last", Qt::Key_Right, false, {0, 2}, {0, 2});
    row("left reaches the header", Qt::Key_Left, false, {0, 0}, {0, -1});
    row("left on the header stays", Qt::Key_Left, false, {1, -1}, {1, -1});
    row("down clamps the sample", Qt::Key_Down, false, {0, 2}, {1, 0});
    row("down at the bottom stays", Qt::Key_Down, false, {19, -1}, {19, -1});
    row("up at the top stays", Qt::Key_Up, false, {0, 1}, {0, 1});
    row("home alone does nothing", Qt::Key_Home, false, {1, 0}, {1, 0});
    row("ctrl+home", Qt::Key_Home, true, {19, -1}, {0, 0});
    row("ctrl+end", Qt::Key_End, true, {0, 0}, {19, 1});
    row("page down: the rows in view", Qt::Key_PageDown, false, {1, 0}, {9, -1});
    row("page up stops at the first", Qt::Key_PageUp, false, {1, 0}, {0, 0});
  }
  void keyboardMovesTheSelectionAndScrollsItIntoView() {
    QFETCH(int, key);
    QFETCH(bool, control);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    AddRecordings(Document(), false, 128, 3);
    AddRecordings(Document(), false, 129, 1);
    for (int i = 2; i < 20; ++i) AddRecordings(Document(), false, 128 + i, i == 19 ? 2 : 0);
    Select(from.x(), from.y());
    session_->FlushChanges();
    QTest::keyClick(workspace_.get(), Qt::Key(key), control ? Qt::ControlModifier : Qt::NoModifier);
    session_->FlushChanges();
    QCOMPARE(Selection(), std::pair(to.x(), to.y()));
    // The selected row with its 20-pixel margin is inside the view.
    const int top = 48 * to.x() - workspace_->verticalScrollBar()->value();
    QVERIFY2(top >= 20 || workspace_->verticalScrollBar()->value() == 0,
             qPrintable(QString::number(top)));
    QVERIFY(top + 69 <= workspace_->viewport()->height());
  }

  void deleteKeyIsOneStepWhenConfirmed() {
    AddRecordings(Document(), false, 128, 2);
    Select(0, 1);
    // The deleted sample's hint goes with it, under a still mouse.
    QSignalSpy hints(workspace_.get(), &SequenceWorkspace::HintChanged);
    QCursor::setPos(workspace_->viewport()->mapToGlobal(QPoint(265, 20)));
    QTest::mouseMove(workspace_->viewport(), QPoint(265, 20));
    QTest::keyClick(workspace_.get(), Qt::Key_Delete);  // answered No
    QCOMPARE(prompter_.asked.size(), std::size_t{1});
    QCOMPARE(Steps().count(), 0);
    prompter_.answers = {Answer::Yes};
    QTest::keyClick(workspace_.get(), Qt::Key_Delete);
    QCOMPARE(Document().SequenceAt(0)->SampleCount(), 1);
    QCOMPARE(Steps().count(), 1);
    QCOMPARE(Steps().text(0), QStringLiteral("Smazání hlášky"));
    session_->FlushChanges();
    QCOMPARE(hints.constLast().at(0).toString(), QString());
  }

  void clicksSelectAndOpenTheInPlaceEditors() {
    AddRecordings(Document(), false, 128, 2);
    AddRecordings(Document(), false, 129, 0);
    Document().DilEntries.push_back({"EN", 3, 0});
    TVzorek& silence = *Document().SequenceAt(0)->SampleAt(1);
    silence.Silence = true;
    silence.Samples = 7228;  // 500 ms
    QTest::mouseClick(workspace_->viewport(), Qt::LeftButton, {}, QPoint(10, 60));
    QCOMPARE(Selection(), std::pair(1, -1));

    // The WAV sample's box: the chooser lists the entries; a choice is a step.
    QTest::mouseClick(workspace_->viewport(), Qt::LeftButton, {}, QPoint(120, 30));
    QCOMPARE(Selection(), std::pair(0, 0));
    auto* chooser = workspace_->viewport()->findChild<QComboBox*>();
    QVERIFY(chooser && chooser->isVisible());
    QCOMPARE(chooser->count(), 2);
    emit chooser->activated(1);
    QCOMPARE(Document().SequenceAt(0)->SampleAt(0)->DIL, 1);
    QVERIFY(!chooser->isVisible());
    QCOMPARE(Steps().count(), 1);

    // The silence's box: 5 ms typed is kept as 10 ms, 145 samples.
    QTest::mouseClick(workspace_->viewport(), Qt::LeftButton, {}, QPoint(223, 30));
    auto* spin = workspace_->viewport()->findChild<QSpinBox*>();
    QVERIFY(spin && spin->isVisible() && spin->hasFocus());
    QCOMPARE(spin->value(), 500);
    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("5"));
    QTest::keyClick(spin, Qt::Key_Return);
    QVERIFY(!spin->isVisible());
    QVERIFY(workspace_->hasFocus());
    QCOMPARE(silence.Samples, 145);
    QCOMPARE(workspace_->SilenceMilliseconds(), 10);
    QCOMPARE(Steps().count(), 2);
  }

  void stereoGoesInOnlyAsAConvertedCopyAndUndoRestoresTheText() {
    test::TempDir folder;
    AddRecordings(Document(), false, 128, 1);
    const std::string before = ConfigurationText(Document());
    const QString stereo = WriteWave(folder / "stereo.wav", 2, 44100, 44100);
    QStringList offered;
    bool convert = false;
    const auto ask = workspace_->offerConversion;
    workspace_->offerConversion = [&](const QString& file) {
      offered << file;
      return convert;
    };
    QVERIFY(!workspace_->Drop(DropSource::BrowserFile, QPoint(120, 30), {}, {stereo}));
    QCOMPARE(offered, QStringList{stereo});
    QCOMPARE(ConfigurationText(Document()), before);
    QCOMPARE(Steps().count(), 0);

    convert = true;
    // The question itself: its box, ticked once, stays ticked for the next.
    QStringList ticked;
    for (const char* expected :
         {"stereo-14456.wav", "stereo-normalised.wav", "stereo-normalised-2.wav"}) {
      if (expected != std::string("stereo-14456.wav")) {
        workspace_->offerConversion = ask;
        QTimer::singleShot(0, [&ticked] {
          auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
          ticked << (box->checkBox()->isChecked() ? "yes" : "no");
          box->checkBox()->setChecked(true);
          box->buttons().constLast()->click();  // "Převést"
        });
      }
      QVERIFY(workspace_->Drop(DropSource::BrowserFile, QPoint(120, 30), {}, {stereo}));
      const TVzorek& inserted = *Document().SequenceAt(0)->SampleAt(0);
      QCOMPARE(inserted.FileName, PathToUtf8(folder / expected));
      QVERIFY(std::filesystem::is_regular_file(folder / expected));
      QVERIFY(std::abs(inserted.Samples - 14456) <= 2);  // one second
    }
    QCOMPARE(ticked, QStringList({"no", "yes"}));
    QVERIFY(workspace_->normaliseConversions);
    QCOMPARE(Steps().count(), 3);
    Undo(3);
    QCOMPARE(ConfigurationText(Document()), before);
  }

  void browserAndFileManagerDropsInsertInOrder() {
    test::TempDir folder;
    AddRecordings(Document(), false, 128, 2);
    AddRecordings(Document(), false, 129, 0);
    Document().DilEntries.push_back({"Čeština", 0, 0});
    const QString mono = WriteWave(folder / "mono.wav", 1, 14456, 500);
    const QString missing = QString::fromStdString(PathToUtf8(folder / "missing.wav"));

    // A browser file onto the second sample of row 0 goes before it, with the
    // DIL entry of its association; the browser's silence item into the
    // empty row 1 with the editor's length (500 ms); files from the file
    // manager onto that silence go in order before it, a missing one
    // without a length.
    QVERIFY(workspace_->Drop(DropSource::BrowserFile, QPoint(216 + 10, 10), {}, {mono},
                             QStringLiteral("ČEŠTINA")));
    QVERIFY(workspace_->Drop(DropSource::BrowserSilence, QPoint(900, 60), {}));
    QVERIFY(workspace_->Drop(DropSource::ExternalFiles, QPoint(120, 60), {}, {missing, mono}));
    QCOMPARE(Contents(0),
             QStringList({"/sounds/a0.wav 1000 0", mono + " 500 1", "/sounds/a1.wav 1000 0"}));
    QCOMPARE(Contents(1), QStringList({missing + " 0 0", mono + " 500 0", "- 7228"}));
    QCOMPARE(Steps().count(), 3);
  }

  void dropEventsLandOnTheScrolledRowAndTakeOnlyWaveFiles() {
    test::TempDir folder;
    for (int i = 0; i < 20; ++i) AddRecordings(Document(), false, 128 + i, 0);
    session_->FlushChanges();
    workspace_->verticalScrollBar()->setValue(480);  // row 10 at the top
    QCOMPARE(workspace_->verticalScrollBar()->value(), 480);
    const std::unique_ptr<QMimeData> silence(MakeBrowserMimeData({true, {}, {}}));
    DragAndDrop(*silence, QPoint(120, 30));
    QCOMPARE(Document().SequenceAt(10)->SampleCount(), 1);

    test::WriteFile(folder / "notes.txt", "not a sound");
    const QString wave = WriteWave(folder / "p1.WAV", 1, 14456, 100);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(PathToUtf8(folder / "notes.txt"))),
                   QUrl::fromLocalFile(wave)});
    // The first drop selected its sample, which scrolls it into view with a margin.
    const int row11Top = 11 * 48 - workspace_->verticalScrollBar()->value();
    DragAndDrop(files, QPoint(120, row11Top + 12));
    QCOMPARE(Contents(11), QStringList({wave + " 100 0"}));
  }

  void dragsInsideTheGridMoveAndCopy() {
    TPametRevazie& document = Document();
    AddRecordings(document, false, 128, 3);
    AddRecordings(document, false, 129, 0);
    const std::string before = ConfigurationText(document);
    Select(0, 0);
    QVERIFY(workspace_->Drop(DropSource::Workspace, QPoint(330, 30), {}));  // onto the third
    QVERIFY(workspace_->Drop(DropSource::Workspace, QPoint(120, 60), Qt::ControlModifier));
    QCOMPARE(Contents(0), QStringList({"/sounds/a1.wav 1000 0", "/sounds/a2.wav 1000 0",
                                       "/sounds/a0.wav 1000 0"}));
    QCOMPARE(Contents(1), QStringList({"/sounds/a0.wav 1000 0"}));

    // Ctrl on a sequence: codes 128 and 129 are taken, so the copy gets 130;
    // refused by the properties dialog, nothing stays.
    Select(0, -1);
    workspace_->confirmSequenceCopy = [](TSekvence& copy) { return copy.Code != 130; };
    QVERIFY(!workspace_->Drop(DropSource::Workspace, QPoint(10, 60), Qt::ControlModifier));
    QCOMPARE(document.SequenceCount(), 2);
    workspace_->confirmSequenceCopy = [](TSekvence& copy) { return copy.Code == 130; };
    QVERIFY(workspace_->Drop(DropSource::Workspace, QPoint(10, 60), Qt::ControlModifier));
    QCOMPARE(document.SequenceCount(), 3);
    QCOMPARE(document.SequenceAt(1)->Code, 130);
    QCOMPARE(document.SequenceAt(1)->SampleCount(), 3);
    QCOMPARE(Steps().count(), 3);
    Undo(3);
    QCOMPARE(ConfigurationText(document), before);
  }

  void copyingASequenceAt256DoesNothing() {
    for (int i = 0; i < 256; ++i) AddRecordings(Document(), false, i, 0);
    Select(3, -1);
    QVERIFY(!workspace_->Drop(DropSource::Workspace, QPoint(10, 30), Qt::ControlModifier));
    QCOMPARE(Document().SequenceCount(), 256);
    QVERIFY(prompter_.shown.empty());
    QCOMPARE(Steps().count(), 0);
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::SequenceWorkspaceTest)
#include "sequence_workspace_test.moc"
