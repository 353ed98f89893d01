// The editing session's undo history: what counts as a change, what one
// step holds and shares, the unsaved mark, and the gathered notices.
#include <QSignalSpy>
#include <QtTest>

#include <functional>

#include "model/model_fixture.h"
#include "model/snapshot.h"
#include "session/editing_session.h"

using Change = std::function<void(liftvox::TPametRevazie&)>;
Q_DECLARE_METATYPE(Change)

namespace liftvox {
namespace {

TSekvence& First(TPametRevazie& document) { return *document.SequenceAt(0); }
TVzorek& FirstSample(TPametRevazie& document) { return *First(document).SampleAt(0); }

}  // namespace

class EditingSessionTest : public QObject {
  Q_OBJECT

 private:
  test::ScriptedPrompter prompter_;
  std::unique_ptr<EditingSession> session_;

  TPametRevazie& Document() { return session_->Document(); }
  QUndoStack& Steps() { return session_->UndoStack(); }

 private slots:
  void init() {
    session_ = std::make_unique<EditingSession>();
    Document().SetPrompter(&prompter_);
    Document().IconNames = {"CZ.BMP", "EN.BMP"};
    Document().DilEntries = {{"CZ", 0, 0x0808}, {"EN", 1, 0x0800}};
    test::AddRecordings(Document(), false, 128, 3);
    test::AddRecordings(Document(), true, 0, 2);
    test::AddRecordings(Document(), true, 1, 2);
  }
  void cleanup() { session_.reset(); }

  // Every part of the configuration counts, each alone: a change of it is
  // one step, undo gives the configuration back and redo the change.
  void eachPartOfTheConfigurationIsAStep_data() {
    QTest::addColumn<Change>("change");
    const auto row = [](const char* name, Change change) { QTest::newRow(name) << change; };
    row("sample file", [](TPametRevazie& d) { FirstSample(d).FileName = "/b.wav"; });
    row("sample silence", [](TPametRevazie& d) { FirstSample(d).Silence = true; });
    row("sample length", [](TPametRevazie& d) { FirstSample(d).Samples = 7; });
    row("sample DIL", [](TPametRevazie& d) { FirstSample(d).DIL = 1; });
    row("priority", [](TPametRevazie& d) { First(d).Priority = 3; });
    row("code", [](TPametRevazie& d) { First(d).Code = 200; });
    row("pin", [](TPametRevazie& d) { First(d).Pin = 2; });
    row("bit", [](TPametRevazie& d) { First(d).Bit = 9; });
    row("serial inversion", [](TPametRevazie& d) { First(d).InvSerBit = true; });
    row("parallel inversion", [](TPametRevazie& d) { First(d).InvParBit = true; });
    row("name", [](TPametRevazie& d) { First(d).Name = "Jiné"; });
    row("floor", [](TPametRevazie& d) { First(d).Floor = true; });
    row("repeat", [](TPametRevazie& d) { First(d).Repeat = 10; });
    row("wizard key", [](TPametRevazie& d) { First(d).WizardKey = "SekvUp"; });
    row("DIL entry name", [](TPametRevazie& d) { d.DilEntries[1].Name = "DE"; });
    row("DIL entry icon", [](TPametRevazie& d) { d.DilEntries[1].Icon = 0; });
    row("DIL entry pattern", [](TPametRevazie& d) { d.DilEntries[1].Pattern = 0x0A0A; });
    row("parallel speak", [](TPametRevazie& d) { d.ParPlayInv = true; });
    row("serial speak", [](TPametRevazie& d) { d.SerPlayInv = true; });
    row("sample order", [](TPametRevazie& d) { d.MoveSample(&FirstSample(d), 0, 2); });
    row("sequence order", [](TPametRevazie& d) { d.MoveSequence(d.SequenceAt(2), 1); });
    row("sequence deleted", [](TPametRevazie& d) { d.DeleteSequence(d.SequenceAt(1)); });
    row("sequence added", [](TPametRevazie& d) { test::AddRecordings(d, true, 5, 1); });
  }
  void eachPartOfTheConfigurationIsAStep() {
    QFETCH(Change, change);
    const ConfigurationSnapshot before = TakeSnapshot(Document());
    session_->Edit("Změna", [&] { change(Document()); });
    const ConfigurationSnapshot after = TakeSnapshot(Document());
    QCOMPARE(Steps().count(), 1);
    QVERIFY(Document().IsModified());
    QVERIFY(Document().IsImageStale());
    Steps().undo();
    QVERIFY(TakeSnapshot(Document()) == before);
    QVERIFY(!Document().IsModified());
    Steps().redo();
    QVERIFY(TakeSnapshot(Document()) == after);
  }

  void nothingChangedIsNoStepAndAnInnerEditJoinsTheOuter() {
    session_->Edit("Výběr", [&] {
      int sample = 1, sequence = 2;
      Document().SelectAt(sample, sequence);
      FirstSample(Document()).Samples = 5;  // and back: no change in the end
      FirstSample(Document()).Samples = 1000;
    });
    QCOMPARE(Steps().count(), 0);
    session_->Edit("Vnější", [&] {
      First(Document()).Name = "A";
      session_->Edit("Vnitřní", [&] { First(Document()).Code = 7; });
    });
    QCOMPARE(Steps().count(), 1);
    QCOMPARE(Steps().text(0), QString("Vnější"));
  }

  // A step holds what it changed; the rest is the steps' and the
  // document's, shared. Undo rebuilds only the sequence that differs, and
  // gives back the selection of its time.
  void aStepSharesWhatItLeftAlone() {
    int sample = 1, sequence = 1;
    Document().SelectAt(sample, sequence);
    const ConfigurationSnapshot start = TakeSnapshot(Document());
    TSekvence* untouched = Document().SequenceAt(2);
    session_->Edit("Délka", [&] { Document().SequenceAt(1)->SampleAt(0)->Samples = 5; });
    session_->Edit("Délka", [&] { Document().SequenceAt(1)->SampleAt(0)->Samples = 6; });
    const ConfigurationSnapshot now = TakeSnapshot(Document(), &start);
    QVERIFY(now.Sequences[0].SharesWith(start.Sequences[0]));
    QVERIFY(!now.Sequences[1].SharesWith(start.Sequences[1]));
    int other = 0, first = 0;
    Document().SelectAt(other, first);
    Steps().undo();
    Steps().undo();
    QVERIFY(TakeSnapshot(Document()) == start);
    QCOMPARE(Document().SequenceAt(2), untouched);
    QCOMPARE(Document().SelectedSequenceIndex(), 1);
    QCOMPARE(Document().SelectedSampleIndex(), 1);
  }

  void theSavedStepIsTheUnmodifiedOne() {
    test::TempDir folder;
    session_->Edit("A", [&] { First(Document()).Name = "A"; });
    QVERIFY(session_->SaveConfiguration(folder / "a.cfg"));
    QVERIFY(!Document().IsModified());
    session_->Edit("B", [&] { First(Document()).Name = "B"; });
    QVERIFY(Document().IsModified());
    Steps().undo();
    QVERIFY(!Document().IsModified());
    Steps().undo();
    QVERIFY(Document().IsModified());
    // A configuration read anew cannot be undone.
    QVERIFY(session_->OpenConfiguration(folder / "a.cfg"));
    QVERIFY(!Steps().canUndo() && !Document().IsModified());
  }

  // Notices gather until the event loop (or a flush): one estimate, one
  // redraw of the one sequence, or of all when more changed.
  void noticesArePassedOnOnceWithAFreshEstimate() {
    QSignalSpy content(session_.get(), &EditingSession::ContentChanged);
    QSignalSpy usage(session_.get(), &EditingSession::UsageChanged);
    QSignalSpy selection(session_.get(), &EditingSession::SelectionChanged);
    session_->FlushChanges();
    content.clear();
    usage.clear();
    selection.clear();
    Document().UsedMemory = 0;
    for (int i = 0; i < 100; ++i) Document().NotifyContentChanged(1);
    Document().NotifySelectionChanged();
    QCOMPARE(content.count(), 0);
    QTRY_COMPARE(content.count(), 1);
    QCOMPARE(content[0][0].toInt(), 1);
    QCOMPARE(usage.count(), 1);
    QCOMPARE(selection.count(), 1);
    QVERIFY(Document().UsedMemory > 0);
    Document().NotifyContentChanged(1);
    Document().NotifyContentChanged(2);
    session_->FlushChanges();
    QCOMPARE(content[1][0].toInt(), DocumentView::kWholeDocument);
    QCOMPARE(selection.count(), 1);
  }
};

}  // namespace liftvox

QTEST_GUILESS_MAIN(liftvox::EditingSessionTest)
#include "editing_session_test.moc"
