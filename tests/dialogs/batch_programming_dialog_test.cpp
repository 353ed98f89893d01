// Programming several announcers at once: the dialog against three virtual
// announcers, and the production settings through the main window.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <array>
#include <memory>

#include "app/window_fixture.h"
#include "device/line_rig.h"
#include "dialogs/batch_programming_dialog.h"
#include "dialogs/production_log_group.h"
#include "dialogs/programming_dialog.h"
#include "dialogs/setup_form.h"
#include "support/program_runner.h"
#include "ui/caption_table.h"

namespace liftvox {
namespace {

using Column = BatchProgrammingDialog::Column;

std::shared_ptr<const ImageToProgram> Image(int pages) {
  return std::make_shared<const ImageToProgram>(
      ImageToProgram{test::MakeImage(65536, 256, pages, 1, ""), 0, 65536});
}

// A click on the box itself: a wide check box takes no click beside its text.
void Tick(QCheckBox& box) { QTest::mouseClick(&box, Qt::LeftButton, {}, {6, box.height() / 2}); }

// Three announcers answering no faster than a real line, each ticked in a
// Czech dialog.
struct Bench {
  Bench() {
    CaptionTable captions;
    dialog.RegisterCaptions(captions);
    captions.ApplyBuiltIn();
    dialog.SetPrompter(&prompter);
    for (const auto& sim : sims) dialog.AddDevice(QString::fromStdString(sim.DevicePath()));
  }
  QString State(int row) const { return dialog.Table().item(row, Column::kStateColumn)->text(); }
  int Percent(int row) const {
    return static_cast<QProgressBar*>(dialog.Table().cellWidget(row, Column::kProgressColumn))
        ->value();
  }

  inline static const std::vector<std::string> kPaced = {"--pace", "--interface", "1"};
  std::array<test::SimProcess, 3> sims{test::SimProcess(kPaced), test::SimProcess(kPaced),
                                       test::SimProcess(kPaced)};
  CzechTranslator czech;
  test::ScriptedPrompter prompter;
  BatchProgrammingDialog dialog{czech, {{"Paralelní", 1}}, nullptr};
  QSignalSpy finished{&dialog, &BatchProgrammingDialog::BatchFinished};
};

}  // namespace

class BatchProgrammingDialogTest : public QObject {
  Q_OBJECT

 private slots:
  // A stale image starts nothing until rebuilt; Stop ends every worker
  // mid-image; the next batch starts again and completes everywhere.
  void StopReachesEveryWorkerAndTheNextBatchStarts() {
    Bench bench;
    BatchProgrammingDialog& dialog = bench.dialog;
    dialog.SetRebuild([&] { dialog.SetImage(Image(256), false); });
    dialog.SetImage(Image(256), true);
    bench.prompter.answers = {Answer::No};
    QTest::mouseClick(&dialog.StartButton(), Qt::LeftButton);
    QVERIFY(!dialog.Running());
    QCOMPARE(bench.prompter.asked.back().key, std::string("ReBuild"));

    bench.prompter.answers = {Answer::Yes};
    QTest::mouseClick(&dialog.StartButton(), Qt::LeftButton);
    QVERIFY(dialog.Running());
    QVERIFY(!dialog.CloseButton().isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(bench.Percent(0) > 0 && bench.Percent(1) > 0 && bench.Percent(2) > 0,
                             20000);
    QTest::mouseClick(&dialog.StopButton(), Qt::LeftButton);
    QVERIFY(bench.finished.wait(3000));
    for (int row = 0; row < 3; ++row) {
      QCOMPARE(bench.State(row), QString("Zastaveno"));
    }

    dialog.SetImage(Image(16), false);
    QTest::mouseClick(&dialog.StartButton(), Qt::LeftButton);
    QVERIFY(bench.finished.wait(20000));
    for (int row = 0; row < 3; ++row) {
      QCOMPARE(bench.State(row), QString("Hotovo"));
      QCOMPARE(bench.Percent(row), 100);
    }
    QVERIFY(dialog.CloseButton().isEnabled());
  }

  // Verify and the production log, set in their dialogs, come back in a new
  // window; the single programming dialog shows the remembered verify too.
  void ProductionSettingsAreRemembered() {
    test::WindowFixture fixture;
    const QString log = fixture.Scratch("bench.csv");
    {
      const auto window = fixture.Open();
      auto* batch = window->findChild<BatchProgrammingDialog*>();
      QTimer::singleShot(0, batch, [batch] {
        Tick(batch->VerifyBox());
        QTest::mouseClick(&batch->CloseButton(), Qt::LeftButton);
      });
      window->Action("Revazi_NaprogramujViceHlasicu")->trigger();
      auto* setup = window->findChild<TSetupForm*>();
      QTimer::singleShot(0, setup, [setup, log] {
        Tick(setup->ProductionLog().OnBox());
        setup->ProductionLog().FileEdit().setText(log);
        QTest::mouseClick(&setup->CancelButton(), Qt::LeftButton);
      });
      window->Action("Program_Nastaveni")->trigger();
      window->close();
    }
    const auto window = fixture.Open();
    QVERIFY(window->findChild<TSetupForm*>()->ProductionLog().On());
    QCOMPARE(window->findChild<TSetupForm*>()->ProductionLog().File(), log);
    auto* batch = window->findChild<BatchProgrammingDialog*>();
    window->Session().Document().MarkChanged();  // the image is out of date
    QTimer::singleShot(0, batch, [batch] {
      QVERIFY(batch->VerifyBox().isChecked());
      QVERIFY(batch->ImageText().contains("Sestavená paměť neodpovídá"));
      batch->reject();
    });
    window->Action("Revazi_NaprogramujViceHlasicu")->trigger();
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::BatchProgrammingDialogTest)
#include "batch_programming_dialog_test.moc"
