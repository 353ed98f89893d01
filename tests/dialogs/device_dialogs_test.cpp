// The device dialogs over their workers: questions asked from a worker, the
// hardware query, a programming run stopped half-way on the simulator, and
// the firmware upload against the emulated chip.
#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "device/avr_target.h"
#include "device/intel_hex.h"
#include "device/line_rig.h"
#include "dialogs/firmware_upload_dialog.h"
#include "dialogs/hardware_properties_dialog.h"
#include "dialogs/programming_dialog.h"
#include "sim/sim_fixture.h"
#include "ui/caption_table.h"

namespace liftvox {
namespace {

using test::AvrTarget;
using test::LineRig;
using test::SimLink;
using test::VirtualClock;

// Notes the thread each question reaches and answers Yes.
class ThreadNotingPrompter final : public Prompter {
 public:
  QThread* askedOn = nullptr;
  void Inform(const Message&) override {}
  void Warn(const Message&) override {}
  Answer AskYesNo(const Message&) override {
    askedOn = QThread::currentThread();
    return Answer::Yes;
  }
  Answer AskYesNoCancel(const Message& message) override { return AskYesNo(message); }
};

// A dialog re-texted as the program does at start-up, in Czech.
void ApplyBuiltInTexts(CaptionedDialog& dialog) {
  CaptionTable captions;
  dialog.RegisterCaptions(captions);
  captions.ApplyBuiltIn();
  dialog.TranslateLists(CzechTranslator());
}

const std::filesystem::path kHex = test::TestDataDir() / "device" / "firmware.hex";

// The firmware upload dialog, in Czech, on an emulated chip with an empty
// flash; Start shows it with `timing` and the upload begins.
struct FirmwareRig {
  explicit FirmwareRig(AvrTarget::Chip chip, int misalignedBits = 0)
      : target(chip, clock, misalignedBits) {
    target.flash.assign(8192, 0x00);
    ApplyBuiltInTexts(dialog);
    dialog.SetPrompter(&prompter);
    dialog.SetFileName(QString::fromStdString(kHex.string()));
  }
  void Start(const SpiTiming& timing) {
    dialog.SetTiming(timing);
    dialog.StartWhenShown();
    dialog.show();
  }

  VirtualClock clock;
  AvrTarget target;
  const CzechTranslator czech;
  AnnouncerSession session{target, LineRig::FixedPort(1), czech};
  test::ScriptedPrompter prompter;
  TNahrajFirmwareForm dialog{session, nullptr};
  QSignalSpy finished{&dialog.Runner(), &DeviceJobRunner::Finished};
};

}  // namespace

class DeviceDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // A worker's question is shown on the GUI thread while the worker waits;
  // a runner destroyed while a question is pending answers it No and ends.
  void WorkerQuestionsWaitForTheGuiThreadUnlessTheRunnerGoes() {
    ThreadNotingPrompter prompter;
    DeviceJobRunner runner;
    runner.SetPrompter(&prompter);
    Answer answer = Answer::No;
    QSignalSpy finished(&runner, &DeviceJobRunner::Finished);
    runner.Start([&](Prompter& asked, DeviceJobObserver&) -> DeviceJobRunner::Completion {
      const Answer worker = asked.AskYesNo({"ReBuild", "", ""});
      return [&answer, worker] { answer = worker; };
    });
    QVERIFY(finished.wait(10000));
    QCOMPARE(answer, Answer::Yes);
    QCOMPARE(prompter.askedOn, QThread::currentThread());

    std::atomic<bool> asking{false};
    std::atomic<int> lastAnswer{-1};
    auto going = std::make_unique<DeviceJobRunner>();
    going->SetPrompter(&prompter);
    going->Start([&](Prompter& asked, DeviceJobObserver&) -> DeviceJobRunner::Completion {
      asking = true;
      lastAnswer = static_cast<int>(asked.AskYesNo({"CommunicationError", "", ""}));
      return {};
    });
    // The GUI thread never turns to the question before the runner goes.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!asking && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    QVERIFY(asking);
    going.reset();
    QCOMPARE(lastAnswer.load(), static_cast<int>(Answer::No));
  }

  // A stop asked of one job ends it and is not the next job's.
  void AStopRequestBelongsToOneJob() {
    DeviceJobRunner runner;
    QSignalSpy finished(&runner, &DeviceJobRunner::Finished);
    std::atomic<bool> stopped{false};
    runner.Start([&](Prompter&, DeviceJobObserver& observer) -> DeviceJobRunner::Completion {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (!observer.StopRequested() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
      stopped = observer.StopRequested();
      return {};
    });
    runner.RequestStop();
    QVERIFY(finished.wait(10000));
    QVERIFY(stopped);
    runner.Start([&](Prompter&, DeviceJobObserver& observer) -> DeviceJobRunner::Completion {
      stopped = observer.StopRequested();
      return {};
    });
    QVERIFY(finished.wait(10000));
    QVERIFY(!stopped);
  }

  // The interface label keeps what an earlier query showed unless this one
  // reached the announcer's port.
  void HardwareLabelsFollowWhatTheQueryReached() {
    LineRig rig;
    TVlastnostiHWForm dialog(rig.session, nullptr);
    ApplyBuiltInTexts(dialog);
    QCOMPARE(dialog.PortText(), QString("neurčen"));
    QCOMPARE(dialog.InterfaceText(), QString("neznámé"));

    AnnouncerInfo info;
    struct Step {
      HardwareProperties read;
      QString hardware, interfaceName;
    };
    const Step steps[] = {
        {{"COM1", "2", "3.4", "512kB", "Sériové", true, info}, "2", "Sériové"},
        // An interface the list does not know leaves the label alone.
        {{"COM1", "2", "3.4", "512kB", "", true, info}, "2", "Sériové"},
        // No port, or one that did not open: the interface stays too.
        {{"", "Hlásič nebyl detekován", "", "", "", false, {}},
         "Hlásič nebyl detekován",
         "Sériové"},
        // An open port without an answer: nothing is known of it.
        {{"COM1", "Hlásič nebyl detekován", "", "", "", true, {}}, "Hlásič nebyl detekován", ""},
    };
    for (const Step& step : steps) {
      dialog.ShowProperties(step.read);
      QCOMPARE(dialog.HardwareText(), step.hardware);
      QCOMPARE(dialog.SoftwareText(), QString::fromStdString(step.read.softwareVersion));
      QCOMPARE(dialog.InterfaceText(), step.interfaceName);
    }
  }

  void HardwarePropertiesAreReadOnAWorkerWhenShown() {
    LineRig rig(
        {.firmwareMajor = 3, .firmwareMinor = 7, .hardwareVersion = 2, .interfaceNumber = 5});
    TVlastnostiHWForm dialog(rig.session, nullptr);
    ApplyBuiltInTexts(dialog);
    dialog.SetPrompter(&rig.prompter);
    QSignalSpy finished(&dialog.Runner(), &DeviceJobRunner::Finished);
    dialog.StartWhenShown();
    dialog.show();
    // Until the answer has reached the GUI thread, nothing closes the dialog
    // and nothing starts a second query.
    QVERIFY(!dialog.OkButton()->isEnabled());
    QVERIFY(!dialog.RefreshButton()->isEnabled());
    dialog.reject();
    QVERIFY(dialog.isVisible());
    QVERIFY(finished.wait(10000));
    QCOMPARE(dialog.PortText(), QString("COM1"));
    QCOMPARE(dialog.HardwareText(), QString("2"));
    QCOMPARE(dialog.SoftwareText(), QString("3.7"));
    QCOMPARE(dialog.MemoryText(), QString("64kB"));
    QCOMPARE(dialog.InterfaceText(), QString("Sériové"));
    QVERIFY(dialog.RefreshButton()->isEnabled());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
  }

  // "&Konec" in the middle of a paced run: the dialog refuses to close
  // before, and the run ends (and closes it) within a second after.
  void ProgrammingStopsWithinASecond() {
    SimLink link({"--pace"});
    TNahrajZvukyForm dialog(link.session, nullptr);
    ApplyBuiltInTexts(dialog);
    dialog.SetPrompter(&link.prompter);
    dialog.SetImage({test::MakeImage(65536, 256, 256, 1, ""), 0, 65536});
    QSignalSpy finished(&dialog.Runner(), &DeviceJobRunner::Finished);
    dialog.StartWhenShown();
    dialog.show();
    QVERIFY(!dialog.StartButton()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(dialog.ProgressPercent() > 0, 20000);
    dialog.close();
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
    QVERIFY(!dialog.CloseButton()->isEnabled());
    QVERIFY(finished.wait(1000));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.LastResult().outcome, TransferOutcome::Stopped);
    QVERIFY(dialog.LastResult().pagesDone < 256);
    QCOMPARE(dialog.ProgressText(), QString("Hotovo"));
    QVERIFY(link.prompter.asked.empty());
  }

  // A worn cell fails the verify; the dialog offers to program again, runs
  // once more on Yes, and each run leaves its line in the production log.
  void AVerifyFailureOffersToProgramAgainAndIsLogged() {
    SimLink link({"--interface", "1", "--worn-cell", "0x1234"});
    TNahrajZvukyForm dialog(link.session, nullptr);
    ApplyBuiltInTexts(dialog);
    dialog.SetPrompter(&link.prompter);
    dialog.SetImage({test::MakeImage(65536, 256, 20, 1, ""), 0, 20 * 256});
    test::TempDir dir;
    dialog.SetProductionLog(dir / "log.csv");
    dialog.VerifyBox().setChecked(true);
    link.prompter.answers = {Answer::Yes, Answer::No};  // program again once
    QSignalSpy finished(&dialog.Runner(), &DeviceJobRunner::Finished);
    dialog.StartWhenShown();
    dialog.show();
    QVERIFY(finished.wait(30000));
    QCOMPARE(dialog.LastResult().outcome, TransferOutcome::VerifyFailed);
    QCOMPARE(dialog.ActivityText(), QString("Ověřování"));
    QCOMPARE(link.prompter.asked.size(), size_t{2});
    QCOMPARE(link.prompter.asked.back().key, std::string("ProgramAgain"));
    QCOMPARE(link.prompter.shown.back().key, std::string("VerifyFailed"));
    const std::string csv = test::ReadFile(dir / "log.csv");
    QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 3);
    QVERIFY(csv.substr(csv.rfind("\n", csv.size() - 3)).find(",on,verify failed,") !=
            std::string::npos);
    dialog.reject();
  }

  void FirmwareUploadWritesTheHexAndStaysOpenForAnother() {
    FirmwareRig rig(AvrTarget::Chip::Atmega8515, 2);
    TNahrajFirmwareForm& dialog = rig.dialog;
    const AvrTarget& target = rig.target;
    rig.Start(rig.clock.Timing());
    QVERIFY(rig.finished.wait(30000));
    QCOMPARE(dialog.LastResult().outcome, FirmwareOutcome::Done);
    FirmwareImage expected;
    QCOMPARE(LoadHexFile(kHex, expected), std::string());
    QVERIFY(std::equal(target.flash.begin(), target.flash.end(), expected.begin()));
    QCOMPARE(dialog.FileText(), QString("firmware.hex"));
    QCOMPARE(dialog.PortText(), QString("COM1"));
    QCOMPARE(dialog.ProgressText(), QString("Hotovo"));
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.StartButton()->isEnabled());
    QVERIFY(rig.prompter.shown.empty());
  }

  // "&Zavřít" during an upload: the chip is erased and the run closes the
  // dialog. The upload waits at its first pause until the click.
  void FirmwareStopClosesTheDialog() {
    FirmwareRig rig(AvrTarget::Chip::At90s8515);
    std::atomic<bool> clicked{false};
    SpiTiming timing = rig.clock.Timing();
    timing.sleepMs = [&clicked, sleep = timing.sleepMs](int ms) {
      while (!clicked) std::this_thread::yield();
      sleep(ms);
    };
    rig.Start(timing);
    QTest::mouseClick(rig.dialog.CloseButton(), Qt::LeftButton);
    clicked = true;
    QVERIFY(rig.finished.wait(30000));
    QCOMPARE(rig.dialog.LastResult().outcome, FirmwareOutcome::Stopped);
    QVERIFY(!rig.dialog.isVisible());
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::DeviceDialogsTest)
#include "device_dialogs_test.moc"
