// The missing recordings dialog through the main window: when an open shows
// it, what a folder search and a chosen file propose, and OK as one undo step
// that undo takes back with the recordings' states.
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include <functional>

#include "app/window_fixture.h"
#include "config/paths.h"
#include "dialogs/missing_recordings_dialog.h"
#include "model/document.h"

namespace liftvox {

class MissingRecordingsTest : public QObject {
  Q_OBJECT

 private:
  test::WindowFixture fixture_;
  std::unique_ptr<TMainForm> window_;

  TPametRevazie& Document() { return window_->Session().Document(); }
  std::string At(const std::string& relative) {
    return PathToUtf8(PathFromUtf8(fixture_.Scratch("p/").toStdString()) / NativePath(relative));
  }
  // Opens cfg/Lift.cfg, whose one sequence names `files`, as the File menu
  // does; `act` runs on the dialog if the open shows it (true then).
  bool Open(const std::string& files, const std::function<void(MissingRecordingsDialog&)>& act) {
    test::WriteFile(PathFromUtf8(At("cfg/Lift.cfg")), "[0]\r\n" + files);
    bool shown = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* dialog = qobject_cast<MissingRecordingsDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      poll.stop();
      shown = true;
      act(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    poll.start(5);
    window_->OpenFile(QString::fromStdString(At("cfg/Lift.cfg")));
    return shown;
  }
  // Each proposal as "state file" (state: 0 found, 1 elsewhere, 3 ambiguous).
  std::vector<std::string> Proposals(const MissingRecordingsDialog& dialog) {
    std::vector<std::string> texts;
    for (const RecordingChange& change : dialog.Changes())
      texts.push_back(std::to_string(int(change.location.state)) + " " + change.location.usedPath);
    return texts;
  }
  std::string FileOf(int sample) { return Document().SequenceAt(0)->SampleAt(sample)->FileName; }

 private slots:
  void init() {
    window_ = fixture_.Open();
    for (const char* file : {"cfg/here.wav", "cfg/Sub/MOVED.wav", "cfg/x/dup.wav", "cfg/y/dup.wav",
                             "other/gone/a.wav", "other/c.wav", "other/dup.wav", "mine/c.wav"})
      test::WriteFile(PathFromUtf8(At(file)), "RIFF");
  }
  void cleanup() { window_.reset(); }

  void shownAfterAnOpenOnlyWhenARecordingIsMissingOrAmbiguous() {
    const auto none = [](MissingRecordingsDialog&) {};
    QVERIFY(!Open("File0=here.wav\r\nFile1=moved.wav\r\n", none));
    QVERIFY(Open("File0=here.wav\r\nFile1=dup.wav\r\n", none));
    QVERIFY(Open("File0=here.wav\r\nFile1=gone.wav\r\n", none));
  }

  void proposalsAndOkAsOneUndoStep() {
    const std::string stored =
        "File0=gone\\a.wav\r\nFile1=dup.wav\r\nFile2=c.wav\r\nFile3=d.wav\r\n";
    QVERIFY(Open(stored, [this](MissingRecordingsDialog& dialog) {
      QCOMPARE(dialog.Table()->rowCount(), 4);
      dialog.ChooseFile(2, At("mine/c.wav"));
      dialog.ChooseFile(3, FileOf(3));  // the missing file itself, back in place
      QSignalSpy finished(&dialog, &MissingRecordingsDialog::SearchFinished);
      QVERIFY(dialog.SearchFolder(PathFromUtf8(At("other"))));
      auto* ok = dialog.findChild<QPushButton*>("Ok");
      QVERIFY(!ok->isEnabled());
      QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
      QCOMPARE(Proposals(dialog),
               std::vector<std::string>({"1 " + At("other/gone/a.wav"), "1 " + At("other/dup.wav"),
                                         "1 " + At("mine/c.wav"), "0 " + FileOf(3)}));
      QTest::mouseClick(ok, Qt::LeftButton);
    }));
    QUndoStack& steps = window_->Session().UndoStack();
    QCOMPARE(steps.count(), 1);
    const std::vector<std::string> moved = {At("other/gone/a.wav"), At("other/dup.wav"),
                                            At("mine/c.wav")};
    for (int redo = 0; redo < 2; ++redo) {
      for (int sample = 0; sample < 4; ++sample) {
        QVERIFY(!Document().Recordings.IsMissing(FileOf(sample)));
        if (sample < 3) QCOMPARE(FileOf(sample), moved[sample]);
      }
      steps.undo();
      QCOMPARE(Document().Recordings.Find(FileOf(0))->state, RecordingState::Missing);
      QCOMPARE(Document().Recordings.Find(FileOf(1))->state, RecordingState::Ambiguous);
      QVERIFY(Document().Recordings.IsMissing(FileOf(3)));
      steps.redo();
    }
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::MissingRecordingsTest)
#include "missing_recordings_test.moc"
