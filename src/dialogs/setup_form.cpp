#include "dialogs/setup_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/production_log_group.h"
#include "lang/caption_names.h"
#include "ui/caption_table.h"

namespace liftvox {
namespace {

namespace ids = caption_id::program_settings;
namespace sound_ids = caption_id::sound;

// An entry's text ("COM3", "1MB") is its item data; the port list shows the
// device path beside it, which the settings do not keep.
void SelectEntry(QComboBox& list, const std::string& text) {
  const int index = list.findData(QString::fromStdString(text));
  list.setCurrentIndex(index >= 0 ? index : (list.count() > 0 ? 0 : -1));
}

std::string SelectedEntry(const QComboBox& list) {
  return list.currentIndex() < 0 ? std::string() : list.currentData().toString().toStdString();
}

// A radio pair: `first` on for `on`, the other on otherwise.
void SetPair(QRadioButton& first, QRadioButton& second, bool on) {
  first.setChecked(on);
  second.setChecked(!on);
}

}  // namespace

TSetupForm::TSetupForm(QWidget* parent) : CaptionedDialog("TSetupForm", parent) {
  portGroup_ = new QGroupBox(this);
  autoPort_ = new QRadioButton(portGroup_);
  fixedPort_ = new QRadioButton(portGroup_);
  serialCombo_ = new QComboBox(portGroup_);
  serialCombo_->setObjectName("SerialCombo");
  serialCombo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  serialCombo_->setEditable(true);
  serialCombo_->setInsertPolicy(QComboBox::NoInsert);
  serialCombo_->setMinimumContentsLength(24);
  refreshPorts_ = new QPushButton(portGroup_);
  refreshPorts_->setAutoDefault(false);
  connect(refreshPorts_, &QPushButton::clicked, this, &TSetupForm::RefreshPorts);
  auto* port = new QGridLayout(portGroup_);
  port->addWidget(autoPort_, 0, 0, 1, 3);
  port->addWidget(fixedPort_, 1, 0);
  port->addWidget(serialCombo_, 1, 1);
  port->addWidget(refreshPorts_, 1, 2);
  port->setColumnStretch(1, 1);

  memoryGroup_ = new QGroupBox(this);
  autoMemory_ = new QRadioButton(memoryGroup_);
  chosenMemory_ = new QRadioButton(memoryGroup_);
  memoryCombo_ = new QComboBox(memoryGroup_);
  for (const std::string& size : MemorySizeEntries())
    memoryCombo_->addItem(QString::fromStdString(size), QString::fromStdString(size));
  auto* memory = new QGridLayout(memoryGroup_);
  memory->addWidget(autoMemory_, 0, 0, 1, 2);
  memory->addWidget(chosenMemory_, 1, 0);
  memory->addWidget(memoryCombo_, 1, 1);
  memory->setColumnStretch(1, 1);

  configurationGroup_ = new QGroupBox(this);
  setupToFlash_ = new QCheckBox(configurationGroup_);
  auto* configuration = new QVBoxLayout(configurationGroup_);
  configuration->addWidget(setupToFlash_);

  soundGroup_ = new QGroupBox(this);
  encoderLabel_ = new QLabel(soundGroup_);
  encoderCombo_ = new QComboBox(soundGroup_);
  encoderCombo_->setObjectName("EncoderCombo");
  // Texts come from the captions; the data is the setting's word.
  for (const EncoderKind kind : {EncoderKind::Standard, EncoderKind::Best})
    encoderCombo_->addItem(QString(), QString::fromStdString(std::string(EncoderKindText(kind))));
  encoderLabel_->setBuddy(encoderCombo_);
  encoderNote_ = new QLabel(soundGroup_);
  encoderNote_->setWordWrap(true);
  auto* sound = new QGridLayout(soundGroup_);
  sound->addWidget(encoderLabel_, 0, 0);
  sound->addWidget(encoderCombo_, 0, 1);
  sound->addWidget(encoderNote_, 1, 0, 1, 3);
  sound->setColumnStretch(2, 1);
  productionLog_ = new ProductionLogGroup(this);

  ok_ = new QPushButton(this);
  ok_->setDefault(true);
  cancel_ = new QPushButton(this);
  cancel_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(portGroup_);
  layout->addWidget(memoryGroup_);
  layout->addWidget(configurationGroup_);
  layout->addWidget(soundGroup_);
  layout->addWidget(productionLog_);
  layout->addLayout(buttons);

  // The designed state: both detected, the configuration stored.
  ShowSettings(DeviceSettings{});
  connect(autoPort_, &QRadioButton::toggled, this, &TSetupForm::FollowRadioButtons);
  connect(autoMemory_, &QRadioButton::toggled, this, &TSetupForm::FollowRadioButtons);
}

void TSetupForm::RegisterCaptions(CaptionTable& captions) {
  const auto group = [&captions](int id, QGroupBox* control) {
    captions.Add(id, [control](const QString& text) { control->setTitle(text); });
  };
  captions.Add(ids::kTitle, [this](const QString& text) { setWindowTitle(text); });
  group(ids::kSerialPortGroup, portGroup_);
  captions.AddCaption(ids::kDetectPort, autoPort_);
  captions.AddCaption(ids::kChoosePort, fixedPort_);
  captions.AddCaption(ids::kRefreshPorts, refreshPorts_);
  captions.AddCaption(ids::kOk, ok_);
  captions.AddCaption(ids::kCancel, cancel_);
  group(ids::kMemorySizeGroup, memoryGroup_);
  captions.AddCaption(ids::kDetectMemorySize, autoMemory_);
  captions.AddCaption(ids::kChooseMemorySize, chosenMemory_);
  group(ids::kConfigurationGroup, configurationGroup_);
  captions.AddCaption(ids::kStoreConfiguration, setupToFlash_);
  group(sound_ids::kSettingsGroup, soundGroup_);
  captions.Add(sound_ids::kEncoderLabel,
               [this](const QString& text) { encoderLabel_->setText(text); });
  captions.Add(sound_ids::kStandardEncoder,
               [this](const QString& text) { encoderCombo_->setItemText(0, text); });
  captions.Add(sound_ids::kBestEncoder,
               [this](const QString& text) { encoderCombo_->setItemText(1, text); });
  captions.Add(sound_ids::kEncoderNote,
               [this](const QString& text) { encoderNote_->setText(text); });
  productionLog_->RegisterCaptions(captions);
}

void TSetupForm::TranslateLists(const Translator& translator) {
  productionLog_->TranslateLists(translator);
}

void TSetupForm::FillPortList(const PortTable& ports) {
  serialCombo_->clear();
  for (const std::string& entry : AvailablePortEntries(ports)) {
    DeviceSettings port;
    port.fixedPort = entry;
    const int number = port.FixedPortNumber();
    const std::string description = PortTable::Description(ports.DevicePath(number));
    const std::string label =
        description.empty() ? ports.Label(number)
                            : entry + " " + description + " (" + ports.DevicePath(number) + ")";
    serialCombo_->addItem(QString::fromStdString(label), QString::fromStdString(entry));
  }
  serialCombo_->setCurrentIndex(serialCombo_->count() > 0 ? 0 : -1);
}

void TSetupForm::RefreshPorts() {
  const std::string chosen = ChosenPort();
  DeviceSettings listed;
  listed.portList = portList_;
  FillPortList(listed.ListedPorts());
  ShowPort(chosen);
}

// An entry picked from the list is its "COMn"; anything else is as typed.
std::string TSetupForm::ChosenPort() const {
  const QString text = serialCombo_->currentText().trimmed();
  const int index = serialCombo_->findText(text, Qt::MatchExactly);
  return index >= 0 ? serialCombo_->itemData(index).toString().toStdString() : text.toStdString();
}

void TSetupForm::ShowPort(const std::string& port) {
  const int index = serialCombo_->findData(QString::fromStdString(port));
  if (index >= 0 || port.empty()) {
    serialCombo_->setCurrentIndex(index >= 0 ? index : (serialCombo_->count() > 0 ? 0 : -1));
    return;
  }
  serialCombo_->setCurrentIndex(-1);
  serialCombo_->setEditText(QString::fromStdString(port));
}

void TSetupForm::ShowSettings(const DeviceSettings& settings) {
  SetPair(*autoPort_, *fixedPort_, settings.autoPort);
  ShowPort(settings.fixedPort);
  SetPair(*autoMemory_, *chosenMemory_, settings.autoMemory);
  SelectEntry(*memoryCombo_, settings.chosenMemory);
  setupToFlash_->setChecked(settings.setupToFlash);
  portList_ = settings.portList;
  FollowRadioButtons();
}

DeviceSettings TSetupForm::Settings() const {
  DeviceSettings settings;
  settings.autoPort = autoPort_->isChecked();
  settings.fixedPort = ChosenPort();
  settings.autoMemory = autoMemory_->isChecked();
  settings.chosenMemory = SelectedEntry(*memoryCombo_);
  settings.setupToFlash = setupToFlash_->isChecked();
  settings.portList = portList_;
  return settings;
}

void TSetupForm::ShowEncoder(EncoderKind encoder) {
  SelectEntry(*encoderCombo_, std::string(EncoderKindText(encoder)));
}

EncoderKind TSetupForm::Encoder() const {
  return EncoderKindFromText(SelectedEntry(*encoderCombo_)).value_or(EncoderKind::Standard);
}

void TSetupForm::FollowRadioButtons() {
  serialCombo_->setEnabled(fixedPort_->isChecked());
  refreshPorts_->setEnabled(fixedPort_->isChecked());
  memoryCombo_->setEnabled(chosenMemory_->isChecked());
}

}  // namespace liftvox
