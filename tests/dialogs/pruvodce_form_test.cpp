// The new-configuration wizard: its pages, the lists that trade entries by
// arrows and drops, its texts in the current language, and Finish building
// the same file as `liftvox-cli wizard` in one undo step.
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <memory>

#include "app/window_fixture.h"
#include "config/paths.h"
#include "dialogs/pruvodce_form.h"
#include "dialogs/transfer_list.h"
#include "model/document.h"
#include "ui/icon_library.h"

namespace liftvox {
namespace {

QStringList Texts(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts.append(list.item(i)->text());
  return texts;
}

// Drops entry `row` of `from` onto `onto` in front of entry `before` (past
// the last entry when `before` is the count), as a mouse drag would.
void DropEntry(TransferList& from, int row, TransferList& onto, int before) {
  const std::unique_ptr<QMimeData> mime(from.model()->mimeData({from.model()->index(row, 0)}));
  QPoint point(4, onto.viewport()->height() - 2);
  if (before < onto.count()) {
    point = onto.visualRect(onto.model()->index(before, 0)).topLeft() + QPoint(4, 1);
  }
  QDropEvent drop(point, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
  // Qt delivers a drop to the widget that accepted the drag's entry.
  QDragEnterEvent enter(point, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(onto.viewport(), &enter);
  QCoreApplication::sendEvent(onto.viewport(), &drop);
}

// Clicks the arrow that moves the selected entry of `from` across.
void MoveAcross(TransferList& from, const QString& text) {
  from.setCurrentItem(from.findItems(text, Qt::MatchExactly).value(0));
  QVERIFY(from.currentItem());
  const bool toChosen = from.objectName().startsWith("Offered");
  from.parentWidget()->findChild<QPushButton*>(toChosen ? "Add" : "Remove")->click();
}

// Runs the wizard command; `drive` works the open dialog and finishes it.
void RunWizard(TMainForm& window, const std::function<void(TPruvodceForm&)>& drive) {
  auto* wizard = window.findChild<TPruvodceForm*>();
  QVERIFY(wizard);
  bool driven = false;
  QTimer::singleShot(0, wizard, [&] {
    drive(*wizard);
    driven = true;
    if (wizard->isVisible()) wizard->reject();
  });
  window.Action("File_Pruvodce")->trigger();
  QVERIFY(driven);
}

}  // namespace

class PruvodceFormTest : public QObject {
  Q_OBJECT

 private slots:
  void PagesMoveWithTheirButtonsAndTheFloorMaximumFollowsPageOne() {
    CzechTranslator czech;
    IconLibrary icons;
    TPruvodceForm wizard(czech, icons, {}, nullptr);
    wizard.TranslateLists(czech);
    wizard.show();
    QCOMPARE(wizard.Page(), 0);
    QVERIFY(!wizard.BackButton().isEnabled());
    QCOMPARE(wizard.ForwardButton().text(), QString("&Další"));
    QCOMPARE(wizard.LowestFloor().currentText(), QString("Přízemí"));

    wizard.FloorCount().setValue(255);
    wizard.ForwardButton().click();
    QCOMPARE(wizard.Page(), 1);
    QVERIFY(wizard.BackButton().isEnabled());
    // Seven special sequences leave room for 249 floors; one floor at least.
    QCOMPARE(wizard.FloorCount().maximum(), 249);
    QCOMPARE(wizard.FloorCount().minimum(), 1);
    QCOMPARE(wizard.FloorCount().value(), 249);
    wizard.ForwardButton().click();
    QCOMPARE(wizard.Page(), 2);
    QCOMPARE(wizard.ForwardButton().text(), QString("&Konec"));
    wizard.BackButton().click();
    QCOMPARE(wizard.ForwardButton().text(), QString("&Další"));
    wizard.BackButton().click();
    QCOMPARE(wizard.Page(), 0);
    QVERIFY(!wizard.BackButton().isEnabled());

    // Three fewer special sequences: three more floors, from leaving page 1 on.
    for (const char* text : {"ALARM", "UNIV", "DOLU"}) MoveAcross(wizard.ChosenSequences(), text);
    QCOMPARE(wizard.FloorCount().maximum(), 249);
    wizard.Next();
    QCOMPARE(wizard.FloorCount().maximum(), 252);
    wizard.FloorCount().setValue(252);
    QCOMPARE(wizard.Choices().floorCount, 252);
    QCOMPARE(wizard.Choices().specialPins, std::vector<int32_t>({1, 3, 5, 6}));
    wizard.Next();
    wizard.Next();
    QCOMPARE(wizard.result(), int(QDialog::Accepted));
  }

  void ArrowsAndDropsMoveEntriesAndKeepThemInTheirPair() {
    CzechTranslator czech;
    IconLibrary icons;
    TPruvodceForm wizard(czech, icons, test::BinDir() / "Languages", nullptr);
    wizard.TranslateLists(czech);
    wizard.show();
    TransferList& offered = wizard.OfferedSequences();
    TransferList& chosen = wizard.ChosenSequences();

    MoveAcross(chosen, "ALARM");
    MoveAcross(chosen, "PRETIZ");
    QCOMPARE(Texts(offered), QStringList({"ALARM", "PRETIZ"}));
    QCOMPARE(Texts(chosen), QStringList({"NAHORU", "DOLU", "OTVIR", "ZAVIR", "UNIV"}));

    // A drop puts the entry where it lands, from the partner or the same list.
    DropEntry(offered, 1, chosen, 2);
    QCOMPARE(Texts(chosen), QStringList({"NAHORU", "DOLU", "PRETIZ", "OTVIR", "ZAVIR", "UNIV"}));
    QCOMPARE(Texts(offered), QStringList({"ALARM"}));
    DropEntry(chosen, 5, chosen, 0);
    DropEntry(chosen, 1, chosen, 3);  // NAHORU in front of PRETIZ
    QCOMPARE(Texts(chosen), QStringList({"UNIV", "DOLU", "NAHORU", "PRETIZ", "OTVIR", "ZAVIR"}));
    DropEntry(chosen, 0, chosen, 6);  // past the last entry
    QCOMPARE(wizard.Choices().specialPins, std::vector<int32_t>({4, 3, 1, 5, 6, 7}));

    // A language is no special sequence.
    QVERIFY(wizard.OfferedLanguages().count() > 0);
    DropEntry(wizard.OfferedLanguages(), 0, chosen, 0);
    QCOMPARE(chosen.count(), 6);
    QCOMPARE(wizard.ChosenLanguages().count(), 0);
  }

  void OpeningOffersTheWizardFilesThatNameTheirLanguage() {
    test::TempDir folder;
    test::WriteFile(folder / "B.wiz", "[/PLAYER]\r\nLanguage=Beta\r\nIcon=cz.bmp\r\n");
    test::WriteFile(folder / "A.wiz", "[/PLAYER]\r\nLanguage=Alfa\r\n");
    test::WriteFile(folder / "C.wiz", "[/PLAYER]\r\nIcon=CZ.BMP\r\n");
    test::WriteFile(folder / "D.lng", "[/PLAYER]\r\nLanguage=Delta\r\n");
    CzechTranslator czech;
    IconLibrary icons;
    icons.Load(test::BinDir() / "Icons");
    TPruvodceForm wizard(czech, icons, folder.path(), nullptr);
    wizard.TranslateLists(czech);
    wizard.show();
    QCOMPARE(Texts(wizard.OfferedLanguages()), QStringList({"Alfa", "Beta"}));
    QVERIFY(wizard.OfferedLanguages().item(0)->icon().isNull());
    QVERIFY(!wizard.OfferedLanguages().item(1)->icon().isNull());

    MoveAcross(wizard.OfferedLanguages(), "Beta");
    wizard.Next();
    wizard.Next();
    QCOMPARE(wizard.Choices().languageFiles,
             std::vector<std::filesystem::path>({folder / "B.wiz"}));
    // Every opening starts again on page 1 with no language chosen.
    wizard.hide();
    wizard.show();
    QCOMPARE(wizard.Page(), 0);
    QCOMPARE(Texts(wizard.OfferedLanguages()), QStringList({"Alfa", "Beta"}));
    QCOMPARE(wizard.ChosenLanguages().count(), 0);
  }

  void LanguageSwitchReTextsTheOpenWizard() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    auto* wizard = window->findChild<TPruvodceForm*>();
    wizard->show();
    QCOMPARE(wizard->windowTitle(), QString("Průvodce konfigurací"));
    MoveAcross(wizard->ChosenSequences(), "ALARM");
    wizard->LowestFloor().setCurrentIndex(4);

    window->SwitchLanguage("English.lng");
    QCOMPARE(wizard->windowTitle(), QString("Configuration wizard"));
    QCOMPARE(wizard->BackButton().text(), QString("&Back"));
    // All seven chosen again, in the language, and none left on offer twice.
    QCOMPARE(Texts(wizard->ChosenSequences()),
             QStringList({"OVERLOAD", "ALARM", "UP", "DOWN", "OPEN", "CLOSE", "UNIV"}));
    QCOMPARE(wizard->OfferedSequences().count(), 0);
    QStringList floors;
    for (int i = 0; i < wizard->LowestFloor().count(); ++i)
      floors.append(wizard->LowestFloor().itemText(i));
    QCOMPARE(floors, QStringList({"3rd basement", "2nd basement", "Basement", "Ground floor",
                                  "Floor 1", "Floor 2"}));
    QCOMPARE(wizard->LowestFloor().currentIndex(), 4);
    wizard->Next();
    wizard->Next();
    QCOMPARE(wizard->ForwardButton().text(), QString("&Finish"));
  }

  void FinishBuildsWhatTheCommandLineBuildsInOneUndoStep() {
    test::WindowFixture fixture;
    const QString fromCli = fixture.Scratch("cli.cfg");
    // The names the wizard gives are in the program's language: the window's is Czech.
    QProcess cli;
    cli.start(QString::fromStdString(PathToUtf8(test::BinDir() / "liftvox-cli")),
              {"--language", "Čeština", "wizard", "--language", "English", "--language", "Čeština",
               "--floors", "12", "--lowest", "-2", "--gray", "--inverted", "--special",
               "univ,up,alarm", "-o", fromCli});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);

    const auto window = fixture.Open();
    const int stepsBefore = window->Session().UndoStack().count();
    RunWizard(*window, [](TPruvodceForm& wizard) {
      for (const char* text : {"PRETIZ", "DOLU", "OTVIR", "ZAVIR"})
        MoveAcross(wizard.ChosenSequences(), text);
      DropEntry(wizard.ChosenSequences(), 2, wizard.ChosenSequences(), 0);  // UNIV first
      DropEntry(wizard.ChosenSequences(), 2, wizard.ChosenSequences(), 1);  // then NAHORU
      wizard.Next();
      wizard.FloorCount().setValue(12);
      wizard.LowestFloor().setCurrentIndex(1);  // 2. suterén
      wizard.GrayCode().click();
      wizard.Inverted().click();
      wizard.Next();
      MoveAcross(wizard.OfferedLanguages(), "English");
      MoveAcross(wizard.OfferedLanguages(), "Čeština");
      wizard.Next();
    });
    QCOMPARE(window->Session().UndoStack().count(), stepsBefore + 1);
    QCOMPARE(window->Session().UndoStack().undoText(), QString("Průvodce konfigurací"));
    QCOMPARE(window->Session().Document().SequenceCount(), 15);

    const QString fromWizard = fixture.Scratch("wizard.cfg");
    QVERIFY(window->SaveConfiguration(fromWizard));
    QCOMPARE(test::ReadFile(PathFromUtf8(fromWizard.toStdString())),
             test::ReadFile(PathFromUtf8(fromCli.toStdString())));

    window->Session().UndoStack().undo();
    QCOMPARE(window->Session().Document().SequenceCount(), 8);  // the new configuration again
  }

  // The unsaved-changes question cancelled: nothing is built, no step added.
  void ACancelledQuestionAtFinishBuildsNothing() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    window->Action("Sekvence_PridejObecnouSekvenci")->trigger();
    const int steps = window->Session().UndoStack().count();
    fixture.prompter.answers = {Answer::Cancel};
    RunWizard(*window, [](TPruvodceForm& wizard) {
      wizard.Next();
      wizard.Next();
      wizard.Next();
    });
    QCOMPARE(window->Session().Document().SequenceCount(), 9);
    QCOMPARE(window->Session().UndoStack().count(), steps);
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::PruvodceFormTest)
#include "pruvodce_form_test.moc"
