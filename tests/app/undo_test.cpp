// Every command that changes the configuration is one undo step through the
// window's Undo action, back to the very same configuration text and gauge.
#include <QAction>
#include <QTest>
#include <QUndoStack>

#include <functional>

#include "app/window_fixture.h"
#include "model/document.h"
#include "model/editing.h"

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
    TPametRevazie& document = window->Session().Document();
    AppendSample(document, 1, "/zvuky/cz/dolu.wav", 9000, false, 1);
    AppendSample(document, kGroundFloor, "/zvuky/cz/prizemi.wav", 12000, false, 1);
    AppendSample(document, kGroundFloor, "/zvuky/en/ground.wav", 11000, false, 2);
    AppendSample(document, kGroundFloor, "Ticho", 7228, true);
    window->Session().FlushChanges();
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
           window->Session().Edit("Délka ticha", [&] { ApplySilenceLength(document, 1230); });
         }},
    };
    for (const Change& change : changes) {
      const std::string before = ConfigurationText(document);
      const int32_t usedBefore = document.UsedMemory;
      const int steps = window->Session().UndoStack().count();
      change.run();
      window->Session().FlushChanges();
      const std::string after = ConfigurationText(document);
      const int32_t usedAfter = document.UsedMemory;
      QVERIFY2(after != before, change.name);
      QVERIFY2(window->Session().UndoStack().count() == steps + 1, change.name);
      QVERIFY2(window->Action("Undo")->text().startsWith("Zpět "), change.name);

      window->Action("Undo")->trigger();
      window->Session().FlushChanges();
      QVERIFY2(ConfigurationText(document) == before, change.name);
      QVERIFY2(document.IsImageStale(), change.name);
      QVERIFY2(document.UsedMemory == usedBefore, change.name);
      window->Action("Redo")->trigger();
      window->Session().FlushChanges();
      QVERIFY2(ConfigurationText(document) == after, change.name);
      QVERIFY2(document.UsedMemory == usedAfter, change.name);
    }

    // All the way back: the configuration as started, and no unsaved mark.
    while (window->Session().UndoStack().canUndo()) window->Session().UndoStack().undo();
    QVERIFY(!document.IsModified());
  }

  void AChangeThatChangesNothingIsNoStep() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    Select(window->Session().Document(), -1, 2);
    fixture.prompter.answers = {Answer::No};
    window->Action("Sekvence_SmazPatro")->trigger();
    QCOMPARE(window->Session().UndoStack().count(), 0);
    // Answering No still marks the configuration modified, as it always has.
    QVERIFY(window->Session().Document().IsModified());
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::UndoTest)
#include "undo_test.moc"
