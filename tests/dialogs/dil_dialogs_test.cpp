// The DIL settings dialog and the message properties dialog on a real
// document: the three-state switch boxes, entry edits with re-pointed
// samples, where a dragged entry lands, and a message's length and entry.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

#include "dialogs/dil_settings_dialog.h"
#include "dialogs/dil_switch_panel.h"
#include "dialogs/message_properties_dialog.h"
#include "dialogs/reorderable_list.h"
#include "model/document.h"
#include "model/model_fixture.h"
#include "ui/icon_library.h"

namespace liftvox {

class DilDialogsTest : public QObject {
  Q_OBJECT

 private:
  IconLibrary icons_;
  TPametRevazie document_;
  TSekvence* sequence_ = nullptr;

  std::vector<int32_t> SampleDils() const {
    std::vector<int32_t> dils;
    for (const auto& sample : sequence_->SampleList) dils.push_back(sample->DIL);
    return dils;
  }

 private slots:
  void init() {
    document_.SequenceList.clear();
    document_.DilEntries = {{"A", 0, 0x0808}, {"B", 0, 0x0800}, {"C", 0, 0}, {"D", 0, 0}};
    sequence_ = document_.AddSequence(std::make_unique<TSekvence>());
    for (int32_t dil = 0; dil < 4; ++dil) document_.AppendSample(sequence_, test::MakeWav("", dil));
  }

  void switchLabelsAndClicks() {
    QCOMPARE(SwitchLabelText(4, SwitchState::On, "x"), QString("4. ON"));
    QCOMPARE(SwitchLabelText(7, SwitchState::Off, "x"), QString("7. OFF"));
    QCOMPARE(SwitchLabelText(5, SwitchState::DoesNotMatter, "x"), QString("5. x"));
    QCOMPARE(SwitchLabelText(1, SwitchState::On, "x"), QString("1. x"));
    QCOMPARE(SwitchLabelText(8, SwitchState::Off, "x"), QString("8. x"));

    DilSwitchPanel panel(nullptr);
    QVERIFY(!panel.Box(1)->isEnabled() && !panel.Box(8)->isEnabled() && panel.Box(4)->isEnabled());
    panel.ShowPattern(0x0800);  // switch 4 OFF
    // A click cycles OFF, ON, does not matter, OFF.
    const std::pair<SwitchState, const char*> cycle[] = {
        {SwitchState::On, "4. ON"},
        {SwitchState::DoesNotMatter, "4. Nezáleží"},
        {SwitchState::Off, "4. OFF"}};
    for (const auto& [state, label] : cycle) {
      panel.Box(4)->click();
      QCOMPARE(panel.State(4), state);
      QCOMPARE(panel.LabelText(4), QString::fromUtf8(label));
    }
  }

  void settingsEditTheSelectedEntry() {
    TNastaveniDILForm form(icons_, nullptr);
    form.SetDocument(document_);
    QCOMPARE(form.SelectedEntry(), 0);
    QCOMPARE(form.Switches()->State(4), SwitchState::On);

    form.SelectEntry(1);
    QCOMPARE(form.NameBox()->text(), QString("B"));
    form.Switches()->Box(7)->click();  // does not matter -> OFF
    QCOMPARE(document_.DilEntries[1].Pattern, 0x4800);
    form.NameEdited("=B");
    QCOMPARE(document_.DilEntries[1].Name, std::string("-B"));
    QCOMPARE(form.EntryList()->item(1)->text(), QString("-B"));

    form.SelectEntry(-1);
    QVERIFY(form.NameBox()->text().isEmpty());
    QCOMPARE(form.Switches()->Pattern(), 0);
    form.NameEdited("nobody");  // with nothing selected nothing changes
    QCOMPARE(document_.DilEntries[0].Name, std::string("A"));
  }

  void deletingAndMovingRepointSamplesAndKeepTheSelection() {
    TNastaveniDILForm form(icons_, nullptr);
    form.SetDocument(document_);
    form.MoveUp();  // the first entry stays
    QCOMPARE(SampleDils(), (std::vector<int32_t>{0, 1, 2, 3}));
    form.MoveDown();
    QCOMPARE(form.SelectedEntry(), 1);
    QCOMPARE(document_.DilEntries[1].Name, std::string("A"));
    QCOMPARE(SampleDils(), (std::vector<int32_t>{1, 0, 2, 3}));
    form.SelectEntry(3);
    form.MoveDown();  // the last entry stays
    QCOMPARE(form.SelectedEntry(), 3);

    form.SelectEntry(2);
    form.DeleteEntry();
    QCOMPARE(SampleDils(), (std::vector<int32_t>{1, 0, 0, 2}));
    QCOMPARE(form.SelectedEntry(), 2);
    QCOMPARE(form.NameBox()->text(), QString("D"));

    form.NewEntry();
    QCOMPARE(form.SelectedEntry(), 3);
    QCOMPARE(document_.DilEntries[3], (DilEntry{"Nastavení", 0, 0}));
  }

  void aDroppedEntryGoesBeforeTheOneItIsDroppedOn() {
    struct Case {
      int from, target, to;
    };
    const Case cases[] = {{0, 3, 2}, {3, 1, 1}, {1, -1, 3}, {2, 2, 2}, {0, 1, 0}};
    for (const Case& c : cases) QCOMPARE(PositionAfterDrop(c.from, c.target, 4), c.to);
  }

  void messageLengthsRoundBothWays() {
    TVlastnostiHlaskyForm form(icons_, nullptr);
    form.SetTicho(true);
    form.SetSamples(7228);
    QCOMPARE(form.MillisecondsBox()->value(), 500);
    form.MillisecondsBox()->setValue(1);
    QCOMPARE(form.GetSamples(), 14);
    form.MillisecondsBox()->setValue(500);
    QCOMPARE(form.GetSamples(), 7228);
    QVERIFY(!form.MillisecondsBox()->isHidden() && form.LengthText()->isHidden());

    // A recording keeps the length it was given, whatever the box says.
    form.SetTicho(false);
    form.SetSamples(7229);
    form.MillisecondsBox()->setValue(3);
    QCOMPARE(form.GetSamples(), 7229);
    QCOMPARE(form.LengthText()->text(), QString("0.5s "));
  }

  void messageEntryShowsItsPatternOnly() {
    TVlastnostiHlaskyForm form(icons_, nullptr);
    form.ShowSample(*sequence_->SampleAt(1), document_.DilEntries);
    QCOMPARE(form.EntryPicker()->currentIndex(), 1);
    QCOMPARE(form.Switches()->State(4), SwitchState::Off);
    form.Switches()->Box(4)->click();
    QCOMPARE(form.Switches()->State(4), SwitchState::Off);
    QCOMPARE(form.Switches()->LabelText(4), QString("4. OFF"));

    form.SetDilPosition(0);
    QCOMPARE(form.Switches()->Pattern(), 0x0808);
    // An entry the list no longer has: nothing matters, the position stays.
    form.SetDilPosition(9);
    QCOMPARE(form.Switches()->Pattern(), 0);
    QCOMPARE(form.DilPosition(), 9);
    QCOMPARE(form.EntryPicker()->currentIndex(), -1);
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::DilDialogsTest)
#include "dil_dialogs_test.moc"
