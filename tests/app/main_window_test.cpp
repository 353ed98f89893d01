// The main window's own rules: the caption and its modified mark, its
// commands as undo steps, the recent files, the closing question, the live
// language switch, plain text for whatever comes from files.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QUndoStack>

#include "app/preview_player.h"
#include "app/window_fixture.h"
#include "config/paths.h"
#include "dialogs/help_window.h"
#include "lang/caption_ids.h"
#include "model/document.h"
#include "model/model_fixture.h"
#include "support/wave_files.h"
#include "ui/browser_list_view.h"
#include "ui/memory_status_bar.h"
#include "ui/sample_browser.h"
#include "ui/sequence_workspace.h"

namespace liftvox {
namespace {

// The recent-file entries: the File menu's items after its last separator.
QStringList RecentMenuTexts(const TMainForm& window) {
  QStringList texts;
  bool afterSeparator = false;
  for (QAction* action : window.FileMenu()->actions()) {
    if (action->isSeparator()) {
      afterSeparator = true;
      texts.clear();
    } else if (afterSeparator) {
      texts.append(action->text());
    }
  }
  return texts;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // A small window (a small screen, a tiling desktop) keeps the workspace and
  // its scroll bars in sight: the status bar gives way, keeping its designed
  // panel widths while there is room.
  void TheStatusBarGivesWayInASmallWindow() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    window->show();
    QCOMPARE(window->findChild<MemoryGaugePanel*>()->width(), 190);
    window->resize(400, 300);
    QCOMPARE(window->width(), 400);
    const auto* workspace = window->findChild<SequenceWorkspace*>();
    QVERIFY(workspace->mapTo(window.get(), QPoint(workspace->width(), 0)).x() <= 400);
  }

  void CaptionShowsTheFileAndTheUnsavedMark() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    QCOMPARE(window->windowTitle(), QString("Liftvox - Konfigurace.cfg"));

    window->Action("Sekvence_PridejSekvenciPatro")->trigger();
    QCOMPARE(window->windowTitle(), QString("Liftvox - Konfigurace.cfg*"));
    window->Session().UndoStack().undo();
    QCOMPARE(window->windowTitle(), QString("Liftvox - Konfigurace.cfg"));

    window->Session().UndoStack().redo();
    const QString file = fixture.Scratch("Nádraží.cfg");
    QVERIFY(window->SaveConfiguration(file));
    QCOMPARE(window->windowTitle(), "Liftvox - " + file);
    // Undoing past the saved state marks the configuration unsaved again.
    window->Session().UndoStack().undo();
    QCOMPARE(window->windowTitle(), "Liftvox - " + file + "*");

    QVERIFY(window->OpenConfiguration(file));
    QCOMPARE(window->windowTitle(), "Liftvox " + file);
    QVERIFY(!window->Session().UndoStack().canUndo());
  }

  // Each command that changes the configuration is one step named after it;
  // Undo and Redo through the window give back the very text and gauge. A
  // delete answered No changes nothing, yet marks the configuration modified.
  void CommandsAreOneStepEachThatUndoAndRedo() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    EditingSession& session = window->Session();
    TPametRevazie& document = session.Document();
    document.AppendSample(1, test::MakeWav("/zvuky/cz/dolu.wav", 1, 9000));
    document.AppendSample(test::kGroundFloor, test::MakeWav("/zvuky/cz/prizemi.wav", 1, 12000));
    document.AppendSample(test::kGroundFloor, test::MakeSilence());
    const struct {
      const char* action;
      int sample, sequence;
      Answer answer;
    } commands[] = {{"Sekvence_SmazPatro", -1, 2, Answer::No},
                    {"Sekvence_SmazPatro", -1, 1, Answer::Yes},
                    {"Hlaska_SmazHlasku", 0, test::kGroundFloor - 1, Answer::Yes},
                    {"Sekvence_PridejSekvenciPatro", -1, 0, Answer::Yes},
                    {"Hlaska_PridatTicho", 0, test::kGroundFloor - 1, Answer::Yes}};
    for (const auto& c : commands) {
      int sample = c.sample, sequence = c.sequence;
      document.SelectAt(sample, sequence);
      fixture.prompter.fallback = c.answer;
      session.FlushChanges();
      const std::string before = test::ConfigurationText(document);
      const int32_t usedBefore = document.UsedMemory;
      const int steps = session.UndoStack().count();
      window->Action(c.action)->trigger();
      session.FlushChanges();
      const std::string after = test::ConfigurationText(document);
      const int32_t usedAfter = document.UsedMemory;
      QVERIFY(document.IsModified());
      if (c.answer == Answer::No) {
        QCOMPARE(session.UndoStack().count(), steps);
        continue;
      }
      QVERIFY2(after != before && session.UndoStack().count() == steps + 1, c.action);
      QCOMPARE(window->Action("Undo")->text(),
               "Zpět " + window->Action(c.action)->text().remove('&').remove("...").trimmed());
      window->Action("Undo")->trigger();
      session.FlushChanges();
      QVERIFY2(test::ConfigurationText(document) == before, c.action);
      QVERIFY2(document.IsImageStale() && document.UsedMemory == usedBefore, c.action);
      window->Action("Redo")->trigger();
      session.FlushChanges();
      QVERIFY2(test::ConfigurationText(document) == after, c.action);
      QVERIFY2(document.UsedMemory == usedAfter, c.action);
    }
    // All the way back: the configuration as started, and no unsaved mark.
    while (session.UndoStack().canUndo()) session.UndoStack().undo();
    QVERIFY(!document.IsModified());
  }

  void RecentFilesKeepTheFiveNewestEachOnce() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    for (int i = 1; i <= 6; ++i)
      window->AddRecentFile("/konfigurace/dum" + QString::number(i) + ".cfg");
    QCOMPARE(window->RecentFileList(),
             QStringList({"/konfigurace/dum6.cfg", "/konfigurace/dum5.cfg", "/konfigurace/dum4.cfg",
                          "/konfigurace/dum3.cfg", "/konfigurace/dum2.cfg"}));
    QCOMPARE(RecentMenuTexts(*window), QStringList({"&1  dum6.cfg", "&2  dum5.cfg", "&3  dum4.cfg",
                                                    "&4  dum3.cfg", "&5  dum2.cfg"}));

    // The same file again, in other letter case: once, on top.
    window->AddRecentFile("/KONFIGURACE/DUM3.CFG");
    QCOMPARE(window->RecentFileList(),
             QStringList({"/KONFIGURACE/DUM3.CFG", "/konfigurace/dum6.cfg", "/konfigurace/dum5.cfg",
                          "/konfigurace/dum4.cfg", "/konfigurace/dum2.cfg"}));
    // A "&" in a name is a letter, not the menu's mnemonic mark.
    window->AddRecentFile("/vyvoj/R&D.cfg");
    QCOMPARE(RecentMenuTexts(*window).front(), QString("&1  R&&D.cfg"));
  }

  void CancelAtClosingKeepsTheProgramAndStoresNoSettings() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    window->show();
    window->Action("Sekvence_PridejObecnouSekvenci")->trigger();
    QVERIFY(window->Session().Document().IsModified());
    // Something playing: closing stops it whatever the answer.
    QVERIFY(window->Player().PlaySequence(window->Session().Document(), 0, 0x78));
    const QString preview = window->Player().PreviewFile();
    QVERIFY(QFileInfo::exists(preview));

    fixture.prompter.answers = {Answer::Cancel};
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QCOMPARE(fixture.prompter.asked.size(), std::size_t{1});
    QCOMPARE(fixture.prompter.asked[0].key, std::string("ConfNotSaved"));
    QVERIFY(!QFileInfo::exists(preview));
    QVERIFY(!QFileInfo::exists(fixture.SettingsFile()));

    fixture.prompter.answers = {Answer::No};
    QVERIFY(window->close());
    QVERIFY(QFileInfo::exists(fixture.SettingsFile()));
  }

  void LanguageSwitchLeavesUnlistedIdsInTheEarlierLanguage() {
    test::TempDir program;
    test::WriteFile(program.path() / "Languages" / "A.lng",
                    "[General]\r\nLabel=Alpha\r\n[Messages]\r\nProgramCaption=Program A\r\n"
                    "Undo=Undo A\r\nMemoryUsed=Used A\r\nFilterDil=DIL A (*.dil)\r\n"
                    "[TRANSLATIONS]\r\n15=Quit A\r\n17=Open A\r\n9=File A\r\n");
    test::WriteFile(program.path() / "Languages" / "B.lng",
                    "[General]\r\n[Messages]\r\n[TRANSLATIONS]\r\n15=Quit B\r\n");
    test::WindowFixture fixture;
    const auto window = fixture.Open(program.path());
    QCOMPARE(window->Action("File_Open")->text(), QString("&Otevřít konfguraci..."));

    window->SwitchLanguage("A.lng");
    QCOMPARE(window->Action("File_Exit")->text(), QString("Quit A"));
    QCOMPARE(window->Action("File_Open")->text(), QString("Open A"));
    QCOMPARE(window->FileMenu()->title(), QString("File A"));
    QCOMPARE(window->windowTitle(), QString("Program A - Konfigurace.cfg"));

    // Qt's own buttons follow a language Qt has texts for, else are English.
    test::WriteFile(program.path() / "Languages" / "Deutsch.lng", "[General]\r\n");
    window->SwitchLanguage("Deutsch.lng");
    const bool shipped =
        QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
             QString(shipped ? "Abbrechen" : "Cancel"));
    window->SwitchLanguage("B.lng");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    QCOMPARE(window->Action("File_Exit")->text(), QString("Quit B"));
    QCOMPARE(window->Action("File_Open")->text(), QString("Open A"));
    QCOMPARE(window->FileMenu()->title(), QString("File A"));
    // Messages follow the new file at once; what it lacks is Czech.
    QCOMPARE(window->windowTitle(), QString("Liftvox - Konfigurace.cfg"));
    QCOMPARE(window->Action("Undo")->text(), QString("Zpět"));

    // Started in a language: the texts built in code follow it from the start.
    const auto started = fixture.Open(program.path(), "A.lng");
    QCOMPARE(started->Action("File_Exit")->text(), QString("Quit A"));
    QCOMPARE(started->Action("Undo")->text(), QString("Undo A"));
    QCOMPARE(started->StatusPanels().Gauge().Label(), QString("Used A"));
    QStringList filters;
    QTimer::singleShot(0, started.get(), [&] {
      if (auto* dialog = started->findChild<QFileDialog*>()) {
        filters = dialog->nameFilters();
        dialog->reject();
      }
    });
    started->Action("File_UlozDIL")->trigger();
    QCOMPARE(filters, QStringList{"DIL A (*.dil)"});

    // The run's language is not stored; the menu's choice is.
    fixture.prompter.fallback = Answer::No;
    QVERIFY(started->close());
    QCOMPARE(QSettings(fixture.SettingsFile(), QSettings::IniFormat).value("Language").toString(),
             QString());
    QVERIFY(window->close());
    QCOMPARE(QSettings(fixture.SettingsFile(), QSettings::IniFormat).value("Language").toString(),
             QString("B.lng"));
  }

  // Enter on a WAV plays it at once; the auto-play its selection started
  // must not play it again.
  void EnterOnAWaveWithAutoPlayPlaysItOnce() {
    test::WindowFixture fixture;
    const auto window = fixture.Open();
    window->show();
    test::WritePcmWav(PathFromUtf8(fixture.Scratch("a.wav").toStdString()),
                      std::vector<std::uint8_t>(10, 128), 8, 1, 14456);
    auto* browser = window->findChild<SampleBrowser*>();
    QVERIFY(browser->LoadDirectory(QFileInfo(fixture.Scratch("a.wav")).absolutePath()));
    window->findChild<QAbstractButton*>("AutoPlayButton")->click();
    auto* list = browser->findChild<BrowserListView*>();
    list->setFocus();
    const QModelIndexList wave =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, "a.wav");
    list->setCurrentIndex(wave.value(0));
    auto* autoPlay = window->findChild<QTimer*>("AutoPlayTimer");
    QVERIFY(autoPlay->isActive());
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!autoPlay->isActive());
  }

  // F1 shows the guide of the program's language, which follows a language
  // change; without a guide it says so.
  void F1ShowsTheGuideInTheProgramsLanguage() {
    test::WindowFixture fixture;
    const auto window = fixture.Open(test::BinDir(), "English.lng");
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    auto* help = window->findChild<HelpWindow*>();
    QVERIFY(help->isVisible());
    QVERIFY(help->Page().path().endsWith("/Help/English/index.html"));
    window->SwitchLanguage("Deutsch.lng");
    QVERIFY(help->Page().path().endsWith("/Help/Deutsch/index.html"));

    const test::TempDir bare;
    fixture.Open(bare.path())->Action("Help_Napoveda1")->trigger();
    QCOMPARE(fixture.prompter.shown.size(), 1u);
    QCOMPARE(fixture.prompter.shown[0].key, std::string("GuideMissing"));
  }

  // Captions from a language file, file and sequence names reach labels and
  // tooltips everywhere; what looks like HTML there shows as it is written.
  void NoCaptionOrNameIsShownAsRichText() {
    test::TempDir program;
    std::string captions = "[TRANSLATIONS]\r\n";
    for (const CaptionId& caption : CaptionIds())
      captions += std::to_string(caption.id) + "=<img src=x>\r\n";
    test::WriteFile(program.path() / "Languages" / "Html.lng", captions);
    test::WindowFixture fixture;
    const auto window = fixture.Open(program.path(), "Html.lng");
    window->AddRecentFile("/zvuky/<img src=x>.cfg");
    window->Session().Document().AppendSample(0, test::MakeWav("/zvuky/<img src=x>.wav", 0, 100));
    window->PrepareDialogForScreenshot("TVlastnostiHlaskyForm");

    const auto shownAsWritten = [](const QString& text, Qt::TextFormat format) {
      QTextDocument shown;
      if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text)))
        shown.setHtml(text);
      else
        shown.setPlainText(text);
      return !text.contains("img") || shown.toPlainText().contains("<img src=x>");
    };
    for (const QLabel* label : window->findChildren<QLabel*>()) {
      QVERIFY2(label->textFormat() != Qt::AutoText, qPrintable(label->objectName()));
      QVERIFY2(shownAsWritten(label->text(), label->textFormat()), qPrintable(label->text()));
    }
    QStringList tips;
    for (const QWidget* widget : window->findChildren<QWidget*>()) tips.append(widget->toolTip());
    // A menu bar's menus show no tooltip, whatever their titles give them.
    for (const QAction* action : window->findChildren<QAction*>())
      if (!action->menu()) tips.append(action->toolTip());
    for (const QString& tip : tips) QVERIFY2(shownAsWritten(tip, Qt::AutoText), qPrintable(tip));
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::MainWindowTest)
#include "main_window_test.moc"
