// The program as a whole: its command line, the --screenshot mode run as a
// real process, and message boxes asked for by a worker thread.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <thread>

#include "app/command_line.h"
#include "app/main_form.h"
#include "app/message_box_prompter.h"
#include "config/paths.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

QString BinPath(const char* program) {
  return QString::fromStdString(PathToUtf8(test::BinDir() / program));
}

// Records where each box was shown and answers Yes.
class RecordingPrompter final : public MessageBoxPrompter {
 public:
  using MessageBoxPrompter::MessageBoxPrompter;
  std::atomic<QThread*> shownOn{nullptr};

 protected:
  Answer ShowBox(Kind, const Message&) override {
    shownOn = QThread::currentThread();
    return Answer::Yes;
  }
};

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void CommandLineTakesTheScreenshotInterface() {
    const CommandLine line =
        ParseCommandLine({"--screenshot", "a.png", "--dialog", "wizard", "--language",
                          "English.lng", "--data", "d", "x.cfg"});
    QVERIFY(line.error.isEmpty());
    QCOMPARE(line.screenshot, QString("a.png"));
    QCOMPARE(line.dialog, QString("wizard"));
    QCOMPARE(line.language, QString("English.lng"));
    QCOMPARE(line.data, QString("d"));
    QCOMPARE(line.configuration, QString("x.cfg"));
    QVERIFY(!ParseCommandLine({"--screenshot"}).error.isEmpty());
    QVERIFY(!ParseCommandLine({"--dialog", "wizard"}).error.isEmpty());
    QVERIFY(!ParseCommandLine({"a.cfg", "b.cfg"}).error.isEmpty());

    // A language file given by a path is found from the current folder.
    const QTemporaryDir folder;
    QFile(folder.filePath("mine.lng")).open(QIODevice::WriteOnly);
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const QString language = ParseCommandLine({"--language", "mine.lng"}).language;
    QDir::setCurrent(before);
    QCOMPARE(language, QDir(folder.path()).filePath("mine.lng"));
  }

  // Qt's own options are Qt's; a language is named as liftvox-cli names it;
  // a wrong argument is told even where no display is.
  void CommandLineErrorsAreToldBeforeTheWindowSystemStarts() {
    const CommandLine qt = ParseCommandLine({"-platform", "offscreen", "-reverse", "x.cfg"});
    QVERIFY(qt.error.isEmpty());
    QCOMPARE(qt.configuration, QString("x.cfg"));
    const struct {
      QString given, file;  // the file found, empty for an error
    } languages[] = {{"English", "English.lng"}, {"deutsch.LNG", "Deutsch.lng"}, {"Klingon", ""}};
    for (const auto& language : languages) {
      CommandLine line =
          ParseCommandLine({"--data", QString::fromStdString(PathToUtf8(test::BinDir())),
                            "--language", language.given});
      CheckCommandLine(line);
      QCOMPARE(QFileInfo(line.language).fileName() == language.file && line.error.isEmpty(),
               !language.file.isEmpty());
    }

    QProcess program;
    QProcessEnvironment screenless = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
      screenless.remove(name);
    program.setProcessEnvironment(screenless);
    program.start(BinPath("liftvox"), {"--no-such-option"});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 2);
    QVERIFY(program.readAllStandardError().contains("unknown option --no-such-option"));
  }

  void ScreenshotPicturesTheWindowAtItsDesignedSize() {
    const QTemporaryDir scratch;
    const QString config = scratch.filePath("dum.cfg");
    QCOMPARE(
        QProcess::execute(BinPath("liftvox-cli"), {"wizard", "--language", "Čeština", "--language",
                                                   "English", "--floors", "8", "-o", config}),
        0);
    const QString picture = scratch.filePath("okno.png");
    QProcess program;
    program.start(BinPath("liftvox"),
                  {"--screenshot", picture, "--language", "English.lng", config});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 0);
    const QImage image(picture);
    QCOMPARE(image.size(), QSize(TMainForm::kDesignedWidth, TMainForm::kDesignedHeight));

    program.start(BinPath("liftvox"), {"--screenshot", picture, "--dialog", "wizard-page-2"});
    QVERIFY(program.waitForFinished(30000));
    QVERIFY(program.exitCode() != 0);
    QVERIFY(program.readAllStandardError().contains("--dialog wizard-page-2"));
  }

  void WorkerQuestionsAreShownOnTheGuiThread() {
    QWidget parent;
    RecordingPrompter prompter(&parent);
    std::atomic<bool> answered{false};
    Answer answer = Answer::No;
    std::thread worker([&] {
      answer = prompter.AskYesNo({"ReBuild", "Uložení paměti", "Sestavit znovu?"});
      answered = true;
    });
    // The GUI thread goes on with its events meanwhile; the box runs among them.
    QTRY_VERIFY_WITH_TIMEOUT(answered.load(), 10000);
    worker.join();
    QCOMPARE(answer, Answer::Yes);
    QCOMPARE(prompter.shownOn.load(), QThread::currentThread());
  }

  // A name that looks like HTML is shown as it is, never loaded as an image.
  void MessageBoxesShowTheirTextAsPlainText() {
    QWidget parent;
    MessageBoxPrompter prompter(&parent);
    Qt::TextFormat format = Qt::AutoText;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &poll, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        format = box->textFormat();
        box->done(QMessageBox::Ok);
      }
    });
    poll.start(5);
    prompter.Warn({"UnableLoadFile", "Načítání", "Soubor <img src=none.png>.cfg nelze načíst!"});
    QCOMPARE(format, Qt::PlainText);
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::ProgramTest)
#include "program_test.moc"
