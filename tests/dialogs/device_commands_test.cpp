// The main window's device commands end to end: the questions, the dialog
// and its worker, the virtual announcer on a pseudo-terminal (found through
// LIFTVOX_PORTS), and what the command does with the result.
#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_form.h"
#include "app/window_fixture.h"
#include "commands/image_file_commands.h"
#include "dialogs/programming_dialog.h"
#include "dialogs/read_back_dialog.h"
#include "image/image_builder.h"
#include "model/document.h"
#include "model/editing.h"
#include "support/program_runner.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

// A window whose one serial port is a virtual announcer; every question,
// whether the command's or its dialog's, goes to the fixture's script.
struct AnnouncerWindow {
  explicit AnnouncerWindow(const std::vector<std::string>& simArguments) : sim(simArguments) {
    qputenv("LIFTVOX_PORTS", QByteArray::fromStdString(sim.DevicePath()));
    window = fixture.Open();
    for (auto* dialog : window->findChildren<DeviceDialog*>())
      dialog->SetPrompter(&fixture.prompter);
  }
  ~AnnouncerWindow() { qunsetenv("LIFTVOX_PORTS"); }

  // Runs a command whose dialog may stay open at the end of its run; closes
  // it then and tells whether the run had closed it already.
  template <class Dialog>
  bool RunClosing(const char* command) {
    auto* dialog = window->findChild<Dialog*>();
    bool closedByRun = false;
    const auto connection = QObject::connect(&dialog->Runner(), &DeviceJobRunner::Finished, dialog,
                                             [&closedByRun, dialog] {
                                               closedByRun = !dialog->isVisible();
                                               dialog->reject();
                                             });
    window->Action(command)->trigger();
    QObject::disconnect(connection);
    return closedByRun;
  }

  TPametRevazie& Document() { return window->Session().Document(); }
  test::ScriptedPrompter& Prompter() { return fixture.prompter; }

  test::SimProcess sim;
  test::WindowFixture fixture;
  std::unique_ptr<TMainForm> window;
};

}  // namespace

class DeviceCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  // Programs the configuration, reads the whole memory back into a cleared
  // image, then reads the stored configuration back as one undo step.
  void ProgramReadBackAndLoadTheStoredConfiguration() {
    AnnouncerWindow announcer({"--interface", "0"});
    TPametRevazie& document = announcer.Document();
    document.SequenceAt(7)->Name = "Z hlásiče";
    document.MarkChanged();
    announcer.Prompter().answers = {Answer::Yes, Answer::Yes};  // rebuild, program
    QVERIFY(!announcer.RunClosing<TNahrajZvukyForm>("Revazi_NaprogramujRevazi"));
    const auto& programming = announcer.window->findChild<TNahrajZvukyForm*>()->LastResult();
    QCOMPARE(programming.outcome, TransferOutcome::Completed);
    QCOMPARE(programming.pagesDone * 256, document.UsedMemory);
    QVERIFY(announcer.Prompter().shown.empty());
    const std::vector<uint8_t> programmed(document.Image.begin(),
                                          document.Image.begin() + document.UsedMemory);

    announcer.window->Session().Edit("rename", [&] { document.SequenceAt(7)->Name = "Jiná"; });
    std::fill(document.Image.begin(), document.Image.end(), uint8_t{0});
    announcer.Prompter().answers = {Answer::No};  // keep this configuration
    QVERIFY(announcer.RunClosing<TPametZRevazieForm>("File_NacistPametZRevazie"));
    QCOMPARE(announcer.Prompter().asked.back().key, std::string("MemoryIncludeConf"));
    QCOMPARE(document.UsedMemory, static_cast<int32_t>(programmed.size()));
    QVERIFY(std::equal(programmed.begin(), programmed.end(), document.Image.begin()));
    QCOMPARE(document.SequenceAt(7)->Name, std::string("Jiná"));

    // No question of its own, but the loader's about the unsaved rename.
    const int steps = announcer.window->Session().UndoStack().count();
    const auto asked = announcer.Prompter().asked.size();
    announcer.Prompter().answers = {Answer::No};  // do not save it
    QVERIFY(announcer.RunClosing<TKonfiguraceZRevazieForm>("File_NacistKonfiguraciZRevazie"));
    QCOMPARE(announcer.Prompter().asked.size(), asked + 1);
    QCOMPARE(announcer.Prompter().asked.back().key, std::string("ConfNotSaved"));
    QCOMPARE(document.SequenceAt(7)->Name, std::string("Z hlásiče"));
    QCOMPARE(announcer.window->Session().UndoStack().count(), steps + 1);
    QVERIFY(!document.IsModified());
    QVERIFY(!document.IsImageStale());
    // Undone, the unsaved rename is back, unsaved again.
    announcer.window->Session().UndoStack().undo();
    QCOMPARE(document.SequenceAt(7)->Name, std::string("Jiná"));
    QVERIFY(document.IsModified());
  }

  // A load whose unsaved-changes question is cancelled keeps the edits, their
  // mark and their file (so New and Exit still ask about them).
  void ACancelledLoadKeepsTheUnsavedEdits() {
    AnnouncerWindow announcer({"--interface", "0"});
    TPametRevazie& document = announcer.Document();
    TMainForm& window = *announcer.window;
    announcer.Prompter().answers = {Answer::Yes, Answer::Yes};  // rebuild, program
    QVERIFY(!announcer.RunClosing<TNahrajZvukyForm>("Revazi_NaprogramujRevazi"));
    const QString image = announcer.fixture.Scratch("image.bin");
    QVERIFY(SaveImageFile(document, window.Session().CurrentImageSettings(), image.toStdString()));
    const QString file = announcer.fixture.Scratch("saved.cfg");
    QVERIFY(window.SaveConfiguration(file));
    window.Session().Edit("rename", [&] { document.SequenceAt(7)->Name = "Neuloženo"; });
    document.Image[0] ^= 0xFF;
    const std::vector<uint8_t> edited = document.Image;

    const struct {
      const char* command;  // or a file to open
      QString path;
      std::vector<Answer> answers;
    } loads[] = {
        {nullptr, image, {Answer::Cancel}},  // keeps the image too
        {"File_NacistKonfiguraciZRevazie", {}, {Answer::Cancel}},
        {"File_NacistPametZRevazie", {}, {Answer::Yes, Answer::Cancel}},
        {nullptr, file, {Answer::Cancel}},
    };
    for (const auto& load : loads) {
      announcer.Prompter().answers = load.answers;
      if (!load.command)
        window.OpenFile(load.path);
      else if (std::string_view(load.command) == "File_NacistPametZRevazie")
        announcer.RunClosing<TPametZRevazieForm>(load.command);
      else
        announcer.RunClosing<TKonfiguraceZRevazieForm>(load.command);
      QCOMPARE(announcer.Prompter().asked.back().key, std::string("ConfNotSaved"));
      QCOMPARE(document.SequenceAt(7)->Name, std::string("Neuloženo"));
      QVERIFY(document.IsModified());
      QCOMPARE(window.windowTitle(), "Liftvox - " + file + "*");
      if (load.path == image) QVERIFY(document.Image == edited);
    }
  }

  // The file's image goes out as it is: no offer to rebuild it from the
  // configuration, and the gauge shows the configuration's estimate again.
  void ProgramFromAnImageFile() {
    AnnouncerWindow announcer({"--interface", "0"});
    TPametRevazie& document = announcer.Document();
    const ImageSettings settings = announcer.window->Session().CurrentImageSettings();
    const QString file = announcer.fixture.Scratch("image.bin");
    QVERIFY(SestavPamet(document, settings) > 0);
    QVERIFY(SaveImageFile(document, settings, file.toStdString()));
    const int32_t fileBytes = document.UsedMemory;
    // Floors enough for the configuration's estimate to outgrow the file.
    announcer.window->Session().Edit("add", [&] {
      for (int floor = 0; floor < 20; ++floor) AddFloorSequence(document);
    });
    announcer.window->Session().FlushChanges();
    const int32_t estimate = document.UsedMemory;
    QVERIFY(estimate > fileBytes);

    announcer.Prompter().answers = {Answer::Yes};
    auto* dialog = announcer.window->findChild<TNahrajZvukyForm*>();
    QObject::connect(&dialog->Runner(), &DeviceJobRunner::Finished, dialog, &QDialog::reject);
    announcer.window->ProgramImageFile(file);
    QCOMPARE(announcer.Prompter().asked.size(), std::size_t{1});
    QCOMPARE(announcer.Prompter().asked[0].key, std::string("ConfigurationUpLoad"));
    QCOMPARE(dialog->LastResult().outcome, TransferOutcome::Completed);
    QCOMPARE(dialog->LastResult().pagesDone * 256, fileBytes);
    QCOMPARE(document.UsedMemory, estimate);
    QCOMPARE(announcer.window->RecentFileList().front(), file);
  }

  // Every page comes back with a wrong sum: before the sixth attempt the
  // worker asks, after four counted errors; No ends the read, and the
  // command takes nothing from it.
  void AnAbandonedReadTakesNothing() {
    AnnouncerWindow announcer({"--bad-sum-rate", "1"});
    TPametRevazie& document = announcer.Document();
    std::fill(document.Image.begin(), document.Image.end(), uint8_t{0x5A});
    announcer.Prompter().answers = {Answer::No};
    announcer.RunClosing<TPametZRevazieForm>("File_NacistPametZRevazie");
    QCOMPARE(announcer.Prompter().asked.size(), std::size_t{1});
    QCOMPARE(announcer.window->findChild<TPametZRevazieForm*>()->ErrorCountText(), QString("4"));
    QCOMPARE(document.Image[0], uint8_t{0x5A});
    QVERIFY(!document.IsModified());
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::DeviceCommandsTest)
#include "device_commands_test.moc"
