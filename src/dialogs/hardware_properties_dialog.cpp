#include "dialogs/hardware_properties_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/caption_names.h"
#include "ui/caption_table.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::hardware_properties;

}  // namespace

TVlastnostiHWForm::TVlastnostiHWForm(AnnouncerSession& session, QWidget* parent)
    : DeviceDialog("TVlastnostiHWForm", session, parent),
      group_(new QGroupBox(this)),
      portLabel_(new QLabel(group_)),
      portValue_(new QLabel(group_)),
      hardwareLabel_(new QLabel(group_)),
      hardwareValue_(new QLabel(group_)),
      softwareLabel_(new QLabel(group_)),
      softwareValue_(new QLabel(group_)),
      memoryLabel_(new QLabel(group_)),
      memoryValue_(new QLabel(group_)),
      interfaceLabel_(new QLabel(group_)),
      interfaceValue_(new QLabel(group_)),
      refreshButton_(new QPushButton(this)),
      okButton_(new QPushButton(this)) {
  auto* grid = new QGridLayout(group_);
  const std::pair<QLabel*, QLabel*> rows[] = {{portLabel_, portValue_},
                                              {hardwareLabel_, hardwareValue_},
                                              {softwareLabel_, softwareValue_},
                                              {memoryLabel_, memoryValue_},
                                              {interfaceLabel_, interfaceValue_}};
  int row = 0;
  for (const auto& [label, value] : rows) {
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    ++row;
  }
  grid->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(refreshButton_, QDialogButtonBox::ActionRole);
  buttons->addButton(okButton_, QDialogButtonBox::AcceptRole);
  okButton_->setDefault(true);
  connect(refreshButton_, &QPushButton::clicked, this, &TVlastnostiHWForm::StartJob);
  connect(okButton_, &QPushButton::clicked, this, &TVlastnostiHWForm::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group_);
  layout->addWidget(buttons);
  setMinimumWidth(340);

  connect(runner_, &DeviceJobRunner::PortChanged, portValue_, &QLabel::setText);
}

void TVlastnostiHWForm::RegisterCaptions(CaptionTable& captions) {
  captions.Add(ids::kTitle, [this](const QString& text) { setWindowTitle(text); });
  captions.Add(ids::kGroup, [this](const QString& text) { group_->setTitle(text); });
  const std::pair<int, QLabel*> labels[] = {{ids::kHardwareVersionLabel, hardwareLabel_},
                                            {ids::kFirmwareVersionLabel, softwareLabel_},
                                            {ids::kMemorySizeLabel, memoryLabel_},
                                            {ids::kPortLabel, portLabel_},
                                            {ids::kPortValue, portValue_},
                                            {ids::kHardwareVersionValue, hardwareValue_},
                                            {ids::kFirmwareVersionValue, softwareValue_},
                                            {ids::kMemorySizeValue, memoryValue_}};
  for (const auto& [id, label] : labels)
    captions.Add(id, [label](const QString& text) { label->setText(text); });
  captions.AddCaption(ids::kOk, okButton_);
  captions.AddCaption(ids::kRefresh, refreshButton_);
}

void TVlastnostiHWForm::TranslateLists(const Translator& translator) {
  interfaceLabel_->setText(TranslatedText(translator, "ActiveInterface"));
  if (!interfaceShown_) interfaceValue_->setText(TranslatedText(translator, "UnknownInterface"));
}

QString TVlastnostiHWForm::PortText() const { return portValue_->text(); }
QString TVlastnostiHWForm::HardwareText() const { return hardwareValue_->text(); }
QString TVlastnostiHWForm::SoftwareText() const { return softwareValue_->text(); }
QString TVlastnostiHWForm::MemoryText() const { return memoryValue_->text(); }
QString TVlastnostiHWForm::InterfaceText() const { return interfaceValue_->text(); }

void TVlastnostiHWForm::StartJob() {
  if (JobRunning()) return;
  refreshButton_->setEnabled(false);
  okButton_->setEnabled(false);
  runner_->Start(
      [this](Prompter& prompter, DeviceJobObserver& observer) -> DeviceJobRunner::Completion {
        const HardwareProperties properties = ReadHardwareProperties(session_, prompter, observer);
        return [this, properties] { ShowProperties(properties); };
      });
}

void TVlastnostiHWForm::ShowProperties(const HardwareProperties& properties) {
  hardwareValue_->setText(QString::fromStdString(properties.hardwareVersion));
  softwareValue_->setText(QString::fromStdString(properties.softwareVersion));
  memoryValue_->setText(QString::fromStdString(properties.memorySize));
  if (properties.portOpened) {
    if (!properties.info) {
      interfaceValue_->clear();
      interfaceShown_ = true;
    } else if (!properties.activeInterface.empty()) {
      interfaceValue_->setText(QString::fromStdString(properties.activeInterface));
      interfaceShown_ = true;
    }
  }
  refreshButton_->setEnabled(true);
  okButton_->setEnabled(true);
}

}  // namespace liftvox
