// The sequence properties dialog's rules on a real document: what showing it
// sets, how the lists drive the code box and the repetition, and what OK
// checks and stores. The triggering properties dialog rides along.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

#include "dialogs/sequence_properties_dialog.h"
#include "dialogs/triggering_properties_dialog.h"
#include "model/document.h"
#include "model/model_fixture.h"

namespace liftvox {
namespace {

using test::AddNamed;

constexpr int kAlarm = 2;  // the parallel list's position of "ALARM"

}  // namespace

class SequenceDialogTest : public QObject {
  Q_OBJECT

 private:
  TPametRevazie document_;
  test::ScriptedPrompter prompter_;
  std::unique_ptr<TVlastnostiSekvenceForm> form_;

  const TVlastnostiSekvenceForm::Controls& C() const { return form_->Widgets(); }
  void Show(TSekvence* sequence) {
    form_->SetSequence(document_, *sequence);
    form_->FormShow();
  }
  // The user picks list positions, as ComboBoxChange hears it.
  void Choose(int pin, int bitPosition) {
    C().pin->setCurrentIndex(pin);
    C().bit->setCurrentIndex(bitPosition);
    form_->ComboBoxChange();
  }

 private slots:
  void init() {
    document_.SequenceList.clear();
    document_.SetPrompter(&prompter_);
    prompter_.shown.clear();
    form_ = std::make_unique<TVlastnostiSekvenceForm>(nullptr);
  }

  void showingFollowsTheTrigger() {
    TSekvence* coded = AddNamed(document_, "coded", 5, 0, 0, false, 10);
    TSekvence* onInput = AddNamed(document_, "input", 0, 3, 0, false, 10);
    TSekvence* fromFile = AddNamed(document_, "bit 11", 0, 0, 11);
    Show(coded);
    QCOMPARE(C().code->text(), QString("00000101"));
    QVERIFY(!C().code->isHidden());
    QVERIFY(!C().repeat->isChecked() && !C().repeat->isEnabled());
    QVERIFY(!C().repeatSeconds->isEnabled());

    Show(onInput);
    QVERIFY(C().code->isHidden());
    QVERIFY(C().repeat->isChecked() && C().repeat->isEnabled());
    QCOMPARE(C().repeatSeconds->value(), 10);
    QVERIFY(C().repeatSeconds->isEnabled());
    QCOMPARE(C().pin->currentIndex(), 3);

    Show(AddNamed(document_, "bit 12", 0, 0, 12));
    QCOMPARE(C().bit->currentText(), QString("12"));

    // A bit no list offers reads as none, so the code box shows.
    Show(fromFile);
    QCOMPARE(C().bit->currentIndex(), 0);
    QVERIFY(form_->CodeTriggered());
  }

  void aFloorLosesItsInputAndBitAtOnce() {
    TSekvence* floor = AddNamed(document_, "floor", 3, 4, 12, true, 10);
    Show(floor);
    QCOMPARE(floor->Pin, 0);
    for (QWidget* control :
         {static_cast<QWidget*>(C().pin), static_cast<QWidget*>(C().bit),
          static_cast<QWidget*>(C().invertPin), static_cast<QWidget*>(C().invertBit),
          static_cast<QWidget*>(C().repeat)})
      QVERIFY(!control->isEnabled());
    QVERIFY(form_->Button2Click());
    QCOMPARE(floor->Repeat, 255);  // a floor does not repeat
  }

  void listsDriveTheCodeBoxAndTheRepetition() {
    Show(AddNamed(document_, "input", 0, 3, 0, false, 20));
    Choose(0, 0);
    QVERIFY(!C().code->isHidden());
    QVERIFY(!C().repeat->isEnabled());
    QVERIFY(C().repeat->isChecked());  // keeps its state
    QVERIFY(!C().repeatSeconds->isEnabled());
    Choose(0, 4);
    QVERIFY(C().code->isHidden());
    QVERIFY(C().repeat->isEnabled() && C().repeatSeconds->isEnabled());
    C().repeat->setChecked(false);
    QVERIFY(!C().repeatSeconds->isEnabled() && !C().repeatLabel->isEnabled());
  }

  void codeTextIsReadUpToTheFirstOtherCharacter() {
    TSekvence* sequence = AddNamed(document_, "s", 200);
    Show(sequence);
    C().code->setText("1012");
    QVERIFY(form_->Button2Click());
    QCOMPARE(sequence->Code, 5);
  }

  void anInputOrBitStoresCodeZero() {
    TSekvence* sequence = AddNamed(document_, "s", 7, 0, 0, false, 255);
    Show(sequence);
    Choose(kAlarm, 1);
    C().repeat->setChecked(true);
    C().repeatSeconds->setValue(30);
    C().name->setText("fire\tmode");
    QVERIFY(form_->Button2Click());
    QCOMPARE(C().code->text(), QString("0"));
    QCOMPARE(sequence->Code, 0);
    QCOMPARE(sequence->Pin, kAlarm);
    QCOMPARE(sequence->Bit, 8);
    QCOMPARE(sequence->Repeat, 30);
    QCOMPARE(sequence->Name, std::string("fire mode"));
  }

  // What OK stores, control by control, each set to a value no other has.
  void okStoresEveryControl() {
    TSekvence* sequence = AddNamed(document_, "s", 7, 0, 0, false, 255);
    Show(sequence);
    C().name->setText("stored");
    C().priority->setValue(9);
    Choose(kAlarm, 3);
    C().invertPin->setChecked(true);
    C().invertBit->setChecked(false);
    C().repeat->setChecked(true);
    C().repeatSeconds->setValue(42);
    QVERIFY(form_->Button2Click());
    QCOMPARE(std::tuple(sequence->Name, int{sequence->Priority}, sequence->Pin, sequence->Bit,
                        sequence->InvParBit, sequence->InvSerBit, int{sequence->Repeat}),
             std::tuple(std::string("stored"), 9, kAlarm, 10, true, false, 42));
  }

  void aRefusedOkStoresNothingAndSaysWhy() {
    AddNamed(document_, "ground", 0, 0, 0, true);
    AddNamed(document_, "alarm", 0, kAlarm);
    TSekvence* second = AddNamed(document_, "second", 9, 0, 0, true);
    Show(second);
    C().code->setText("0");
    C().name->setText("renamed");
    QVERIFY(!form_->Button2Click());
    QCOMPARE(second->Code, 9);
    QCOMPARE(second->Name, std::string("second"));
    QCOMPARE(prompter_.shown.size(), std::size_t{1});
    QCOMPARE(prompter_.shown[0].key, std::string("CodeExists"));
    QCOMPARE(prompter_.shown[0].caption, std::string("Změna kódu"));
    QCOMPARE(prompter_.shown[0].text,
             std::string("Tento kód je již přiřazen sekvenci \"ground\"!"));

    TSekvence* general = AddNamed(document_, "general", 130);
    Show(general);
    Choose(kAlarm, 0);
    QVERIFY(!form_->Button2Click());
    QCOMPARE(prompter_.shown.back().key, std::string("PinExists"));
    QCOMPARE(general->Pin, 0);
  }

  void triggeringDialogShowsAndReadsTheFlags() {
    TVlastnostiSpousteniForm triggering(nullptr);
    triggering.SetFlags(true, false);
    QVERIFY(triggering.ParallelBox()->isChecked() && !triggering.SerialBox()->isChecked());
    triggering.SerialBox()->setChecked(true);
    QVERIFY(triggering.ParallelInverted() && triggering.SerialInverted());
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::SequenceDialogTest)
#include "sequence_dialog_test.moc"
