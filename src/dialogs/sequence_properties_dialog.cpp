#include "dialogs/sequence_properties_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "base/message_format.h"
#include "dialogs/button_row.h"
#include "lang/caption_names.h"
#include "model/document.h"
#include "model/translator.h"
#include "model/trigger_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::sequence_properties;

constexpr int kPinCount = 8;  // none and the seven parallel inputs
constexpr uint8_t kNoRepetition = 255;

}  // namespace

TVlastnostiSekvenceForm::TVlastnostiSekvenceForm(QWidget* parent)
    : CaptionedDialog("TVlastnostiSekvenceForm", parent) {
  Controls& c = controls_;
  captions_.Title(this, ids::kTitle);

  auto* general = captions_.Text(new QGroupBox(this), ids::kGeneralGroup);
  auto* generalGrid = new QGridLayout(general);
  c.name = new QLineEdit(general);
  c.priority = new QSpinBox(general);
  c.priority->setRange(0, 15);
  c.code = new QLineEdit(general);
  c.code->setMaxLength(8);
  c.repeat = captions_.Text(new QCheckBox(general), ids::kRepeat);
  c.repeatSeconds = new QSpinBox(general);
  c.repeatSeconds->setRange(1, 254);
  codeLabel_ = captions_.Text(new QLabel(general), ids::kCodeLabel);
  generalGrid->addWidget(captions_.Text(new QLabel(general), ids::kNameLabel), 0, 0);
  generalGrid->addWidget(c.name, 0, 1, 1, 2);
  generalGrid->addWidget(captions_.Text(new QLabel(general), ids::kPriorityLabel), 1, 0);
  generalGrid->addWidget(c.priority, 1, 1);
  generalGrid->addWidget(captions_.Text(new QLabel(general), ids::kPriorityRange), 1, 2);
  generalGrid->addWidget(codeLabel_, 2, 0);
  generalGrid->addWidget(c.code, 2, 1);
  generalGrid->addWidget(c.repeat, 3, 0, 1, 3);
  c.repeatLabel = captions_.Text(new QLabel(general), ids::kRepeatAfterLabel);
  c.repeatUnit = captions_.Text(new QLabel(general), ids::kRepeatUnit);
  generalGrid->addWidget(c.repeatLabel, 4, 0);
  generalGrid->addWidget(c.repeatSeconds, 4, 1);
  generalGrid->addWidget(c.repeatUnit, 4, 2);
  generalGrid->setColumnStretch(2, 1);

  auto* parallel = captions_.Text(new QGroupBox(this), ids::kParallelProtocolGroup);
  auto* parallelLayout = new QVBoxLayout(parallel);
  c.pin = new QComboBox(parallel);
  c.invertPin = captions_.Text(new QCheckBox(parallel), ids::kInvertInput);
  parallelLayout->addWidget(captions_.Text(new QLabel(parallel), ids::kParallelInputLabel));
  parallelLayout->addWidget(c.pin);
  parallelLayout->addWidget(c.invertPin);
  parallelLayout->addStretch();

  auto* serial = captions_.Text(new QGroupBox(this), ids::kSerialProtocolGroup);
  auto* serialLayout = new QVBoxLayout(serial);
  c.bit = new QComboBox(serial);
  // No id of its own: it reads as the parallel group's box does.
  c.invertBit = captions_.Text(new QCheckBox(serial), ids::kInvertInput);
  serialLayout->addWidget(captions_.Text(new QLabel(serial), ids::kSerialBitLabel));
  serialLayout->addWidget(c.bit);
  serialLayout->addWidget(c.invertBit);
  serialLayout->addStretch();

  for (int pin = 0; pin < kPinCount; ++pin) c.pin->addItem(QString());
  c.bit->addItem(QString());
  for (int32_t bit : kSerialTriggerBits) c.bit->addItem(QString::number(bit));
  TranslateLists(CzechTranslator());

  auto* ok = captions_.Text(new QPushButton(this), ids::kOk);
  auto* cancel = captions_.Text(new QPushButton(this), ids::kCancel);

  auto* triggers = new QHBoxLayout;
  triggers->addWidget(parallel);
  triggers->addWidget(serial);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(general);
  layout->addLayout(triggers);
  layout->addLayout(ButtonRow({ok, cancel}));

  connect(c.pin, &QComboBox::activated, this, &TVlastnostiSekvenceForm::ComboBoxChange);
  connect(c.bit, &QComboBox::activated, this, &TVlastnostiSekvenceForm::ComboBoxChange);
  connect(c.repeat, &QCheckBox::toggled, this, &TVlastnostiSekvenceForm::UpdateRepeatBox);
  connect(ok, &QPushButton::clicked, this, &TVlastnostiSekvenceForm::Button2Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TVlastnostiSekvenceForm::RegisterCaptions(CaptionTable& captions) {
  captions_.RegisterWith(captions);
}

void TVlastnostiSekvenceForm::TranslateLists(const Translator& translator) {
  for (int pin = 0; pin < kPinCount; ++pin)
    controls_.pin->setItemText(pin, QString::fromStdString(PinInputName(translator, pin)));
  controls_.bit->setItemText(
      0, QString::fromStdString(translator.Translate("ActivateByNone", "Žádným")));
}

void TVlastnostiSekvenceForm::SetSequence(TPametRevazie& document, TSekvence& sequence) {
  document_ = &document;
  sequence_ = &sequence;
}

void TVlastnostiSekvenceForm::FormShow() {
  if (!document_ || !sequence_) return;
  Controls& c = controls_;
  TSekvence& sequence = *sequence_;
  c.priority->setValue(sequence.Priority);
  c.name->setText(QString::fromStdString(sequence.Name));
  c.code->setText(QString::fromStdString(CodeToBinary(sequence.Code)));

  const bool repeats = sequence.Repeat < kNoRepetition;
  c.repeatSeconds->setValue(repeats ? sequence.Repeat : c.repeatSeconds->minimum());
  c.repeat->setChecked(repeats);

  const bool floor = sequence.Floor;
  if (floor) DropFloorTriggers(*document_, sequence);
  for (QWidget* control : {static_cast<QWidget*>(c.pin), static_cast<QWidget*>(c.bit),
                           static_cast<QWidget*>(c.invertPin), static_cast<QWidget*>(c.invertBit)})
    control->setEnabled(!floor);
  if (floor) c.repeat->setChecked(false);
  c.repeat->setEnabled(!floor);

  // A pin or bit no list offers (from a file) shows as none.
  c.pin->setCurrentIndex(sequence.Pin >= 0 && sequence.Pin < kPinCount ? sequence.Pin : 0);
  const auto* bit = std::find(kSerialTriggerBits.begin(), kSerialTriggerBits.end(), sequence.Bit);
  c.bit->setCurrentIndex(
      bit == kSerialTriggerBits.end() ? 0 : static_cast<int>(bit - kSerialTriggerBits.begin()) + 1);
  c.invertPin->setChecked(sequence.InvParBit);
  c.invertBit->setChecked(sequence.InvSerBit);

  if (CodeTriggered()) {
    c.repeat->setChecked(false);
    c.repeat->setEnabled(false);
  }
  ShowCode(CodeTriggered());
  UpdateRepeatBox();
}

bool TVlastnostiSekvenceForm::Open(TPametRevazie& document, TSekvence& sequence) {
  SetSequence(document, sequence);
  FormShow();
  return exec() == QDialog::Accepted;
}

bool TVlastnostiSekvenceForm::CodeTriggered() const {
  return controls_.pin->currentIndex() <= 0 && controls_.bit->currentIndex() <= 0;
}

void TVlastnostiSekvenceForm::ComboBoxChange() {
  // Code-triggered sequences do not repeat; the check box keeps its state.
  controls_.repeat->setEnabled(!CodeTriggered());
  ShowCode(CodeTriggered());
  UpdateRepeatBox();
}

void TVlastnostiSekvenceForm::UpdateRepeatBox() {
  const bool repeats = controls_.repeat->isEnabled() && controls_.repeat->isChecked();
  for (QWidget* control : {static_cast<QWidget*>(controls_.repeatLabel),
                           static_cast<QWidget*>(controls_.repeatSeconds),
                           static_cast<QWidget*>(controls_.repeatUnit)})
    control->setEnabled(repeats);
}

void TVlastnostiSekvenceForm::ShowCode(bool shown) {
  codeLabel_->setVisible(shown);
  controls_.code->setVisible(shown);
}

int32_t TVlastnostiSekvenceForm::SerialBitNumber() const {
  const int position = controls_.bit->currentIndex();
  return position <= 0 ? 0 : kSerialTriggerBits[static_cast<std::size_t>(position - 1)];
}

SequenceProperties TVlastnostiSekvenceForm::Properties() const {
  const Controls& c = controls_;
  SequenceProperties properties;
  properties.priority = static_cast<uint8_t>(c.priority->value());
  properties.name = c.name->text().toStdString();
  properties.pin = std::max(c.pin->currentIndex(), 0);
  properties.bit = SerialBitNumber();
  properties.code = CodeTriggered() ? BinaryToCode(c.code->text().toStdString()) & 0xFF : 0;
  properties.invParBit = c.invertPin->isChecked();
  properties.invSerBit = c.invertBit->isChecked();
  properties.repeat =
      c.repeat->isChecked() ? static_cast<uint8_t>(c.repeatSeconds->value()) : kNoRepetition;
  return properties;
}

bool TVlastnostiSekvenceForm::Button2Click() {
  if (!document_ || !sequence_) return false;
  // An input or a bit leaves no code: the box says so before anything is checked.
  if (!CodeTriggered()) controls_.code->setText("0");
  const SequenceProperties properties = Properties();
  if (const auto conflict = FindTriggerConflict(*document_, *sequence_, properties.code,
                                                properties.pin, properties.bit)) {
    struct Text {
      const char* key;
      const char* czech;
    };
    static constexpr Text kTexts[] = {
        {"CodeExists", "Tento kód je již přiřazen sekvenci \"%s\"!"},
        {"PinExists", "Tento pin je již přiřazen sekvenci \"%s\"!"},
        {"BitExists", "Tento bit je již přiřazen sekvenci \"%s\"!"},
    };
    const Text& text = kTexts[static_cast<int>(conflict->kind)];
    document_->prompter().Warn(
        {text.key, document_->Translate("CodeChanging", "Změna kódu"),
         FormatMessage(document_->Translate(text.key, text.czech), conflict->holder)});
    return false;
  }
  StoreSequenceProperties(*document_, *sequence_, properties);
  accept();
  return true;
}

}  // namespace liftvox
