// The program settings: the port list, the radio pairs and their lists,
// what OK and Cancel do to the main window, and the settings kept between runs.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <functional>

#ifdef Q_OS_UNIX
#include "support/program_runner.h"
#endif

#include "app/window_fixture.h"
#include "config/paths.h"
#include "dialogs/setup_form.h"
#include "model/document.h"
#include "ui/memory_status_bar.h"
#include "ui/sequence_workspace.h"

namespace liftvox {
namespace {

QStringList Entries(const QComboBox& list) {
  QStringList entries;
  for (int i = 0; i < list.count(); ++i) entries.append(list.itemText(i));
  return entries;
}

// Runs the settings command; `drive` works the open dialog and closes it.
void RunSettings(TMainForm& window, const std::function<void(TSetupForm&)>& drive) {
  auto* setup = window.findChild<TSetupForm*>();
  QVERIFY(setup);
  QTimer::singleShot(0, setup, [&] { drive(*setup); });
  window.Action("Program_Nastaveni")->trigger();
  QVERIFY(!setup->isVisible());
}

}  // namespace

class SetupFormTest : public QObject {
  Q_OBJECT

 private slots:
  void PortListShowsTheOpenPortsWithTheirDevices() {
#ifndef Q_OS_UNIX
    QSKIP("pseudo-terminals stand in for the serial ports");
#else
    // Two virtual announcers stand in for serial devices.
    const test::SimProcess first({}), third({});
    TSetupForm setup(nullptr);
    setup.FillPortList(
        PortTable({first.DevicePath(), "/dev/liftvox-no-such-port", third.DevicePath()}));
    QCOMPARE(Entries(setup.SerialCombo()),
             QStringList({QString::fromStdString("COM1 (" + first.DevicePath() + ")"),
                          QString::fromStdString("COM3 (" + third.DevicePath() + ")")}));
    QCOMPARE(setup.SerialCombo().currentIndex(), 0);

    // A stored port selects its entry when listed; one absent now, or a typed
    // path, stays as it is, also when the list is refreshed.
    DeviceSettings stored;
    stored.autoPort = false;
    stored.fixedPort = "COM3";
    setup.ShowSettings(stored);
    QCOMPARE(setup.SerialCombo().currentIndex(), 1);
    QCOMPARE(setup.Settings().fixedPort, std::string("COM3"));
    stored.fixedPort = "COM2";
    setup.ShowSettings(stored);
    QCOMPARE(setup.Settings().fixedPort, std::string("COM2"));
    setup.SerialCombo().lineEdit()->clear();
    QTest::keyClicks(setup.SerialCombo().lineEdit(), "/dev/rfcomm0");
    QTest::mouseClick(&setup.RefreshButton(), Qt::LeftButton);
    QCOMPARE(setup.Settings().fixedPort, std::string("/dev/rfcomm0"));
#endif
  }

  void RadioPairsEnableTheirLists() {
    TSetupForm setup(nullptr);
    setup.FillPortList(PortTable());
    // The designed state: both detected, so both lists are disabled.
    QVERIFY(setup.AutoPort().isChecked() && !setup.SerialCombo().isEnabled());
    QVERIFY(!setup.RefreshButton().isEnabled());
    QVERIFY(setup.AutoMemory().isChecked() && !setup.MemoryCombo().isEnabled());
    DeviceSettings stored;
    stored.portList = "/dev/a:/dev/b";
    stored.autoMemory = false;
    setup.ShowSettings(stored);
    QVERIFY(setup.MemoryCombo().isEnabled());

    setup.FixedPort().click();
    setup.AutoMemory().click();
    QVERIFY(setup.SerialCombo().isEnabled() && !setup.MemoryCombo().isEnabled());
    QVERIFY(setup.RefreshButton().isEnabled());
    const DeviceSettings shown = setup.Settings();
    QVERIFY(!shown.autoPort && shown.autoMemory);
    QCOMPARE(shown.fixedPort, std::string("COM1"));  // kept, though not listed
    QCOMPARE(shown.portList, stored.portList);
  }

  void OkTakesTheChosenSizeCancelKeepsTheControlsAndDetectsNothing() {
    test::WindowFixture fixture;
    {
      const auto window = fixture.Open();
      RunSettings(*window, [](TSetupForm& setup) {
        setup.ChosenMemory().click();
        setup.MemoryCombo().setCurrentText("1MB");
        setup.OkButton().click();
      });
      QCOMPARE(window->Session().CurrentImageSettings().memorySizeCode, 4);
      QCOMPARE(window->Session().Document().MemorySize, 1048576);

      RunSettings(*window, [](TSetupForm& setup) {
        setup.MemoryCombo().setCurrentText("8MB");
        setup.AutoMemory().click();
        setup.SetupToFlash().click();
        setup.EncoderCombo().setCurrentIndex(1);
        setup.CancelButton().click();
      });
      QCOMPARE(window->Session().Document().MemorySize, 1048576);
      QCOMPARE(window->Session().CurrentImageSettings().memorySizeCode, 4);
      QVERIFY(!window->Session().CurrentImageSettings().setupToFlash);
      QCOMPARE(window->Session().CurrentImageSettings().encoder, EncoderKind::Best);
      window->findChild<SequenceWorkspace*>()->normaliseConversions = true;
      fixture.prompter.fallback = Answer::No;
      QVERIFY(window->close());
    }
    QSettings stored(fixture.SettingsFile(), QSettings::IniFormat);
    QCOMPARE(stored.value("MemAuto").toString(), QString("1"));
    QCOMPARE(stored.value("Mem").toString(), QString("8MB"));
    QCOMPARE(stored.value("SetupToFlash").toString(), QString("0"));
    QCOMPARE(stored.value("Encoder").toString(), QString("best"));
    QCOMPARE(stored.value("ConvertNormalise").toString(), QString("1"));

    // The next run shows them again.
    const auto again = fixture.Open();
    auto* setup = again->findChild<TSetupForm*>();
    QVERIFY(setup->AutoMemory().isChecked());
    QCOMPARE(setup->MemoryCombo().currentText(), QString("8MB"));
    QVERIFY(!setup->SetupToFlash().isChecked());
    QCOMPARE(setup->Encoder(), EncoderKind::Best);
    QCOMPARE(again->Session().CurrentImageSettings().encoder, EncoderKind::Best);
    QVERIFY(again->findChild<SequenceWorkspace*>()->normaliseConversions);
  }

  void OkFindsTheAnnouncerOnAWorker() {
#ifndef Q_OS_UNIX
    QSKIP("the virtual announcer needs a pseudo-terminal");
#else
    QProcess announcer;
    announcer.start(QString::fromStdString(PathToUtf8(test::BinDir() / "liftvox-sim")),
                    {"--memory", "2"});
    QVERIFY(announcer.waitForReadyRead(5000));
    test::WindowFixture fixture;
    {
      QSettings settings(fixture.SettingsFile(), QSettings::IniFormat);
      settings.setValue("Ports", QString::fromUtf8(announcer.readLine()).trimmed());
      settings.setValue("MemAuto", "0");
      settings.setValue("Mem", "64kB");
    }
    const auto detecting = fixture.Open(test::BinDir(), {}, true);
    TMainForm& window = *detecting;
    // The stored choice holds at start-up although an announcer would answer.
    QTRY_COMPARE_WITH_TIMEOUT(window.StatusPanels().PanelText(MemoryStatusBar::kMemoryPanel),
                              QString(" Zvolená paměť: 64kB"), 15000);
    QCOMPARE(window.Session().Document().MemorySize, 65536);

    RunSettings(window, [](TSetupForm& setup) {
      setup.AutoMemory().click();
      setup.OkButton().click();
    });
    QTRY_COMPARE_WITH_TIMEOUT(window.Session().Document().MemorySize, 262144, 15000);
    QCOMPARE(window.StatusPanels().PanelText(MemoryStatusBar::kPortPanel), QString(" Port: COM1"));
    QCOMPARE(window.StatusPanels().PanelText(MemoryStatusBar::kMemoryPanel),
             QString(" Detekovaná paměť: 256kB"));
    QVERIFY(window.Session().Document().UsedMemory > 0);  // estimated for that memory
    announcer.terminate();
    announcer.waitForFinished();
#endif
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::SetupFormTest)
#include "setup_form_test.moc"
