// Every change of the configuration is one undo step that takes it back to
// the very same configuration text; the document's notifications are
// gathered into one redraw and estimate.
#include <QAction>
#include <QTest>
#include <QUndoStack>

#include <functional>

#include "app/coalescing_view.h"
#include "model/document.h"
#include "model/editing.h"
#include "window_fixture.h"

namespace liftvox {
namespace {

using test::AppendSample;
using test::ConfigurationText;
using test::kGroundFloor;

void Select(TPametRevazie& document, int sample, int sequence) {
  document.SelectAt(sample, sequence);
}

}  // namespace

class UndoTest : public QObject {
  Q_OBJECT

 private slots:
  void EachKindOfChangeUndoesToTheSameConfigurationText() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    TPametRevazie& document = window->Document();
    AppendSample(document, 1, "/zvuky/cz/dolu.wav", 9000, false, 1);
    AppendSample(document, kGroundFloor, "/zvuky/cz/prizemi.wav", 12000, false, 1);
    AppendSample(document, kGroundFloor, "/zvuky/en/ground.wav", 11000, false, 2);
    AppendSample(document, kGroundFloor, "Ticho", 7228, true);
    window->FlushDocumentChanges();
    fixture.prompter.fallback = Answer::Yes;

    struct Change {
      const char* name;
      std::function<void()> run;
    };
    const auto trigger = [&](const char* action) { window->Action(action)->trigger(); };
    const Change changes[] = {
        {"delete sequence",
         [&] {
           Select(document, -1, 1);
           trigger("Sekvence_SmazPatro");
         }},
        {"delete message",
         [&] {
           Select(document, 0, kGroundFloor - 1);
           trigger("Hlaska_SmazHlasku");
         }},
        {"add sequence", [&] { trigger("Sekvence_PridejSekvenciPatro"); }},
        {"add silence",
         [&] {
           Select(document, 0, kGroundFloor - 1);
           trigger("Hlaska_PridatTicho");
         }},
        {"silence length",
         [&] {
           Select(document, 2, kGroundFloor - 1);
           window->Edit("Délka ticha", [&] { ApplySilenceLength(document, 1230); });
         }},
    };
    for (const Change& change : changes) {
      const std::string before = ConfigurationText(document);
      const int32_t usedBefore = document.UsedMemory;
      const int steps = window->UndoStack().count();
      change.run();
      window->FlushDocumentChanges();
      const std::string after = ConfigurationText(document);
      const int32_t usedAfter = document.UsedMemory;
      QVERIFY2(after != before, change.name);
      QVERIFY2(window->UndoStack().count() == steps + 1, change.name);
      QVERIFY2(window->Action("Undo")->text().startsWith("Zpět "), change.name);

      window->UndoStack().undo();
      QVERIFY2(ConfigurationText(document) == before, change.name);
      QVERIFY2(document.IsImageStale(), change.name);
      QVERIFY2(document.UsedMemory == usedBefore, change.name);  // estimated at once
      window->UndoStack().redo();
      QVERIFY2(ConfigurationText(document) == after, change.name);
      QVERIFY2(document.UsedMemory == usedAfter, change.name);
    }

    // All the way back: the configuration as started, and no unsaved mark.
    while (window->UndoStack().canUndo()) window->UndoStack().undo();
    QVERIFY(!document.IsModified());
  }

  void AChangeThatChangesNothingIsNoStep() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    Select(window->Document(), -1, 2);
    fixture.prompter.answers = {Answer::No};
    window->Action("Sekvence_SmazPatro")->trigger();
    QCOMPARE(window->UndoStack().count(), 0);
    // Answering No still marks the configuration modified, as it always has.
    QVERIFY(window->Document().IsModified());
  }

  void ManyDocumentChangesRedrawAndEstimateOnce() {
    int flushes = 0;
    CoalescingDocumentView::Pending last;
    CoalescingDocumentView view(
        [&](const CoalescingDocumentView::Pending& pending) {
          ++flushes;
          last = pending;
        },
        [] {});
    for (int i = 0; i < 1000; ++i) view.ContentChanged(3);
    view.SelectionChanged();
    QCOMPARE(flushes, 0);
    QTRY_COMPARE(flushes, 1);
    QVERIFY(last.content && last.selection);
    QCOMPARE(last.sequenceIndex, 3);

    view.ContentChanged(3);
    view.ContentChanged(4);
    QTRY_COMPARE(flushes, 2);
    QCOMPARE(last.sequenceIndex, DocumentView::kWholeDocument);
    QVERIFY(!last.selection);
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::UndoTest)
#include "undo_test.moc"
