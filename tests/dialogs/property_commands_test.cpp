// The property dialogs' commands through the main window: each visit that
// changes the configuration is one undo step named after its command (a
// floor's lost bit and a copied sequence included), a cancelled visit is none,
// and an open dialog follows a language switch.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include <filesystem>
#include <functional>

#include "app/preview_player.h"
#include "app/window_fixture.h"
#include "config/paths.h"
#include "dialogs/coding_change_dialog.h"
#include "dialogs/dil_settings_dialog.h"
#include "dialogs/language_order_dialog.h"
#include "dialogs/message_properties_dialog.h"
#include "dialogs/sequence_properties_dialog.h"
#include "dialogs/setup_form.h"
#include "dialogs/silence_dialog.h"
#include "image/played_waveform.h"
#include "lang/language.h"
#include "model/document.h"
#include "model/model_fixture.h"
#include "support/wave_files.h"
#include "ui/sequence_workspace.h"
#include "ui/waveform_view.h"

namespace liftvox {
namespace {

using test::ConfigurationText;
using test::kGroundFloor;

}  // namespace

class PropertyCommandsTest : public QObject {
  Q_OBJECT

 private:
  test::WindowFixture fixture_;
  std::unique_ptr<TMainForm> window_;
  std::unique_ptr<QObject> polls_;  // a test's waits end with it

  TPametRevazie& Document() { return window_->Session().Document(); }
  void Select(int sequence, int sample = -1) { Document().SelectAt(sample, sequence); }
  // Runs `act` on the modal dialog of type Dialog once `trigger` shows it;
  // true when it came. Polls with a bound, so a dialog that never comes
  // fails instead of hanging.
  template <typename Dialog>
  bool WhenShown(const std::function<void()>& trigger, std::function<void(Dialog&)> act) {
    bool done = false;
    auto* poll = new QTimer(polls_.get());
    const QDeadlineTimer deadline(5000);
    connect(poll, &QTimer::timeout, poll, [poll, deadline, act, &done] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      if (!dialog && !deadline.hasExpired()) return;
      poll->deleteLater();
      poll->stop();
      if (!dialog) return;
      act(*dialog);
      done = true;
      if (dialog->isVisible()) dialog->reject();
    });
    poll->start(5);
    trigger();
    return done;
  }
  template <typename Dialog>
  bool Run(const char* action, std::function<void(Dialog&)> act) {
    return WhenShown<Dialog>([this, action] { window_->Action(action)->trigger(); },
                             std::move(act));
  }
  // The command's caption as an undo step names it.
  QString StepOf(const char* action) {
    return window_->Action(action)->text().remove('&').remove("...").trimmed();
  }

 private slots:
  void init() {
    polls_ = std::make_unique<QObject>();
    window_ = fixture_.Open();
    window_->Session().FlushChanges();
  }
  void cleanup() {
    polls_.reset();
    window_.reset();
  }

  void aFloorsLostBitIsOneStepEvenWhenCancelled() {
    Document().SequenceAt(kGroundFloor)->Bit = 12;
    Select(kGroundFloor);
    // Shift + double-click on the sequence's first cell opens it.
    QVERIFY(WhenShown<TVlastnostiSekvenceForm>(
        [this] { emit window_->Workspace().SequencePropertiesRequested(); },
        [](TVlastnostiSekvenceForm& form) { form.reject(); }));
    QCOMPARE(Document().SequenceAt(kGroundFloor)->Bit, 0);
    QCOMPARE(window_->Session().UndoStack().count(), 1);
    QCOMPARE(window_->Session().UndoStack().undoText(), StepOf("Sekvence_VlastnostiPatra"));
    window_->Session().UndoStack().undo();
    QCOMPARE(Document().SequenceAt(kGroundFloor)->Bit, 12);
  }

  void aCopiedSequenceAndItsPropertiesAreOneStep() {
    Document().AppendSample(0, test::MakeWav("/zvuky/a.wav", 0, 7228));
    window_->Session().FlushChanges();
    const std::string before = ConfigurationText(Document());
    const int count = Document().SequenceCount();
    // A Ctrl-drop of sequence 0 onto itself copies it through the dialog.
    bool copied = true;
    const auto copyFirst = [this, &copied] {
      Select(0);
      copied =
          window_->Workspace().Drop(DropSource::Workspace, QPoint(10, 30), Qt::ControlModifier);
    };
    QVERIFY(WhenShown<TVlastnostiSekvenceForm>(copyFirst, [](auto& form) { form.reject(); }));
    QVERIFY(!copied);
    QCOMPARE(Document().SequenceCount(), count);
    QCOMPARE(window_->Session().UndoStack().count(), 0);

    QVERIFY(WhenShown<TVlastnostiSekvenceForm>(copyFirst, [](TVlastnostiSekvenceForm& form) {
      form.Widgets().name->setText("kopie");
      form.Button2Click();
    }));
    QVERIFY(copied);
    QCOMPARE(Document().SequenceCount(), count + 1);
    const TSekvence* copy = Document().GetSelectedSequence();
    QCOMPARE(copy->Name, std::string("kopie"));
    QCOMPARE(copy->SampleCount(), 1);
    QCOMPARE(window_->Session().UndoStack().count(), 1);
    window_->Session().UndoStack().undo();
    QCOMPARE(ConfigurationText(Document()), before);
  }

  void messagePropertiesStoreOnOkOnly() {
    Document().AppendSample(kGroundFloor, test::MakeSilence());
    Select(kGroundFloor, 0);
    const auto setLength = [](int ms, bool ok) {
      return [ms, ok](TVlastnostiHlaskyForm& form) {
        form.MillisecondsBox()->setValue(ms);
        ok ? form.accept() : form.reject();
      };
    };
    QVERIFY(Run<TVlastnostiHlaskyForm>("Hlaska_VlastnostiHlasky", setLength(2000, false)));
    QCOMPARE(window_->Session().UndoStack().count(), 0);
    QVERIFY(Run<TVlastnostiHlaskyForm>("Hlaska_VlastnostiHlasky", setLength(1000, true)));
    QCOMPARE(Document().SequenceAt(kGroundFloor)->SampleAt(0)->Samples, 14456);
    QCOMPARE(window_->Session().UndoStack().undoText(), StepOf("Hlaska_VlastnostiHlasky"));
  }

  void messageEditsPointAtANewCopyInTheSameStep() {
    test::TempDir folder;
    // A quiet tone between two silences, 5000 samples each.
    std::vector<std::uint8_t> data(15000, 128);
    for (std::size_t i = 5000; i < 10000; ++i) data[i] = i % 8 < 4 ? 112 : 144;
    const std::filesystem::path original = folder / "quiet.wav";
    test::WritePcmWav(original, data);
    Document().AppendSample(kGroundFloor, test::MakeWav(PathToUtf8(original), 0, 15000));
    Select(kGroundFloor, 0);
    const TVzorek& sample = *Document().SequenceAt(kGroundFloor)->SampleAt(0);
    const auto edit = [](bool trim, bool normalise, bool ok) {
      return [=](TVlastnostiHlaskyForm& form) {
        QCOMPARE(form.Waveform()->Samples().size(), std::size_t{15000});
        QVERIFY(!form.TrimBox()->isChecked() && !form.NormaliseBox()->isChecked());
        form.TrimBox()->setChecked(trim);
        form.NormaliseBox()->setChecked(normalise);
        form.SetDilPosition(1);
        ok ? form.accept() : form.reject();
      };
    };
    QVERIFY(Run<TVlastnostiHlaskyForm>("Hlaska_VlastnostiHlasky", edit(true, true, false)));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    const std::string before = ConfigurationText(Document());
    QVERIFY(Run<TVlastnostiHlaskyForm>("Hlaska_VlastnostiHlasky", edit(true, false, true)));
    QCOMPARE(sample.FileName, PathToUtf8(folder / "quiet-trimmed.wav"));
    QVERIFY(sample.Samples > 5000 && sample.Samples < 7000);  // the tone and its margins
    QCOMPARE(sample.DIL, 1);
    QCOMPARE(window_->Session().UndoStack().count(), 1);
    window_->Session().UndoStack().undo();
    QCOMPARE(ConfigurationText(Document()), before);
    QVERIFY(std::filesystem::exists(original));
  }

  void previewAndWaveformPlayAsABuildWithTheChosenEncoder() {
    test::TempDir folder;
    test::WritePcmWav(folder / "ramp.wav", test::Ramp(2000));
    Document().AppendSample(kGroundFloor, test::MakeWav(PathToUtf8(folder / "ramp.wav"), 0, 2000));
    Select(kGroundFloor, 0);
    QVERIFY(Run<TSetupForm>("Program_Nastaveni", [](TSetupForm& form) {
      form.EncoderCombo().setCurrentIndex(1);  // "best"
      form.reject();
    }));
    const auto played = ReadPlayedWaveform(folder / "ramp.wav", EncoderKind::Best);
    QVERIFY(played->samples !=
            ReadPlayedWaveform(folder / "ramp.wav", EncoderKind::Standard)->samples);
    window_->Action("Hlaska_PrehratHlasku")->trigger();
    QFile preview(window_->Player().PreviewFile());
    QVERIFY(preview.open(QIODevice::ReadOnly));
    const QByteArray bytes = preview.readAll();
    QCOMPARE(std::vector<std::uint8_t>(bytes.end() - 2000, bytes.end()), played->samples);
    QVERIFY(Run<TVlastnostiHlaskyForm>("Hlaska_VlastnostiHlasky", [&](TVlastnostiHlaskyForm& form) {
      QCOMPARE(form.Waveform()->Samples(), played->samples);
    }));
  }

  void eachBulkCommandIsOneStepThatUndoesCompletely() {
    Document().AppendSample(kGroundFloor, test::MakeWav("/zvuky/cz.wav", 0, 7228));
    Document().AppendSample(kGroundFloor, test::MakeWav("/zvuky/en.wav", 1, 7228));
    window_->Session().FlushChanges();
    struct Command {
      const char* action;
      std::function<bool()> run;
    };
    const Command commands[] = {
        {"Revazi_NastaveniDilPrepinacu",
         [this] {
           return Run<TNastaveniDILForm>("Revazi_NastaveniDilPrepinacu", [](TNastaveniDILForm& f) {
             f.NewEntry();
             f.NameEdited("Slovensky");
             f.MoveEntry(3, 0);
             f.accept();
           });
         }},
        {"Revazi_ZmenaKodovani",
         [this] {
           return Run<TZmenaKodovaniForm>("Revazi_ZmenaKodovani", [](TZmenaKodovaniForm& f) {
             f.FloorStartBox()->setValue(5);
             f.accept();
           });
         }},
        {"Revazi_ZmenPoradiJazyku",
         [this] {
           return Run<TPoradiJazykuForm>("Revazi_ZmenPoradiJazyku", [](TPoradiJazykuForm& f) {
             f.MoveLine(2, 0);  // the second recording's language first
             f.accept();
           });
         }},
        {"Revazi_PridatTichoMeziJazyky",
         [this] {
           return Run<TTichoForm>("Revazi_PridatTichoMeziJazyky",
                                  [](TTichoForm& f) { f.accept(); });
         }},
    };
    for (const Command& command : commands) {
      const std::string before = ConfigurationText(Document());
      const int steps = window_->Session().UndoStack().count();
      QVERIFY2(command.run(), command.action);
      QVERIFY2(ConfigurationText(Document()) != before, command.action);
      QCOMPARE(window_->Session().UndoStack().count(), steps + 1);
      QCOMPARE(window_->Session().UndoStack().undoText(), StepOf(command.action));
      window_->Session().UndoStack().undo();
      QCOMPARE(ConfigurationText(Document()), before);
      window_->Session().UndoStack().redo();
    }
  }

  void anOpenDialogFollowsALanguageSwitch() {
    TLanguage english;
    english.SetLanguageFile(test::BinDir() / "Languages" / "English.lng");
    QString title;
    for (const auto& [id, text] : english.ReadCaptions())
      if (id == 1100) title = QString::fromStdString(text);
    QVERIFY(!title.isEmpty());
    const QString alarm = QString::fromStdString(english.Translate("SekvAlarm", "ALARM"));
    Select(0);
    QVERIFY(Run<TVlastnostiSekvenceForm>("Sekvence_VlastnostiPatra",
                                         [this, title, alarm](TVlastnostiSekvenceForm& form) {
                                           window_->SwitchLanguage("English.lng");
                                           QCOMPARE(form.windowTitle(), title);
                                           QCOMPARE(form.Widgets().pin->itemText(2), alarm);
                                           form.reject();
                                         }));
  }

  void dilFilesLoadAsOneStep() {
    // Start-up loaded Default.DIL without marking anything.
    QCOMPARE(Document().DilEntries.size(), std::size_t{3});
    QVERIFY(!Document().IsModified());
    const QString file = fixture_.Scratch("two.dil");
    test::WriteFile(PathFromUtf8(file.toStdString()),
                    "[DIL]\r\nA=2056,CZ.BMP\r\nB=2048,EN.BMP\r\n");
    window_->OpenFile(file);
    QCOMPARE(Document().DilEntries.size(), std::size_t{2});
    QVERIFY(Document().IsModified());
    QCOMPARE(window_->Session().UndoStack().count(), 1);
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::PropertyCommandsTest)
#include "property_commands_test.moc"
