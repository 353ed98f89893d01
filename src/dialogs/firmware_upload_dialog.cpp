#include "dialogs/firmware_upload_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/paths.h"
#include "ui/caption_table.h"

namespace liftvox {

TNahrajFirmwareForm::TNahrajFirmwareForm(AnnouncerSession& session, QWidget* parent)
    : DeviceDialog("TNahrajFirmwareForm", session, parent),
      statusGroup_(new QGroupBox(this)),
      fileLabel_(new QLabel(statusGroup_)),
      fileValue_(new QLabel(statusGroup_)),
      portLabel_(new QLabel(statusGroup_)),
      portValue_(new QLabel(statusGroup_)),
      progressLabel_(new QLabel(statusGroup_)),
      progressValue_(new QLabel(statusGroup_)),
      progressBar_(new QProgressBar(statusGroup_)),
      startButton_(new QPushButton(this)),
      closeButton_(new QPushButton(this)) {
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  auto* grid = new QGridLayout(statusGroup_);
  grid->addWidget(fileLabel_, 0, 0);
  grid->addWidget(fileValue_, 0, 1);
  grid->addWidget(portLabel_, 1, 0);
  grid->addWidget(portValue_, 1, 1);
  grid->addWidget(progressLabel_, 2, 0);
  grid->addWidget(progressValue_, 2, 1);
  grid->addWidget(progressBar_, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(startButton_, QDialogButtonBox::ActionRole);
  buttons->addButton(closeButton_, QDialogButtonBox::RejectRole);
  closeButton_->setAutoDefault(false);
  connect(startButton_, &QPushButton::clicked, this, &TNahrajFirmwareForm::StartJob);
  connect(closeButton_, &QPushButton::clicked, this, &TNahrajFirmwareForm::CloseClicked);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(statusGroup_);
  layout->addWidget(buttons);
  setMinimumWidth(380);

  connect(runner_, &DeviceJobRunner::PortChanged, portValue_, &QLabel::setText);
  connect(runner_, &DeviceJobRunner::ProgressChanged, this,
          [this](int percent, const QString& text) {
            progressBar_->setValue(percent);
            progressValue_->setText(text);
          });
}

void TNahrajFirmwareForm::RegisterCaptions(CaptionTable& captions) {
  captions.Add(200, [this](const QString& text) { setWindowTitle(text); });
  captions.Add(201, [this](const QString& text) { statusGroup_->setTitle(text); });
  captions.Add(202, [this](const QString& text) { fileLabel_->setText(text); });
  captions.Add(203, [this](const QString& text) { portLabel_->setText(text); });
  captions.Add(204, [this](const QString& text) { progressLabel_->setText(text); });
  captions.AddCaption(206, startButton_);
  captions.AddCaption(207, closeButton_);
}

void TNahrajFirmwareForm::SetFileName(const QString& fileName) {
  fileName_ = fileName;
  fileValue_->setText(QFileInfo(fileName).fileName());
}

QString TNahrajFirmwareForm::FileText() const { return fileValue_->text(); }
QString TNahrajFirmwareForm::PortText() const { return portValue_->text(); }
QString TNahrajFirmwareForm::ProgressText() const { return progressValue_->text(); }
int TNahrajFirmwareForm::ProgressPercent() const { return progressBar_->value(); }

void TNahrajFirmwareForm::StartJob() {
  if (JobRunning()) return;
  startButton_->setEnabled(false);
  progressBar_->setValue(0);
  progressValue_->clear();
  lastResult_ = FirmwareResult{};
  runner_->Start([this, file = PathFromUtf8(fileName_.toStdString()), timing = timing_](
                     Prompter& prompter,
                     DeviceJobObserver& observer) -> DeviceJobRunner::Completion {
    // The port is chosen afresh for every upload: the settings may have
    // changed since the last one.
    const int port = FirmwarePortChoice(session_, observer);
    const FirmwareResult result = UploadFirmware(session_, file, port, prompter, observer, timing);
    return [this, result] { Ended(result); };
  });
}

void TNahrajFirmwareForm::Ended(const FirmwareResult& result) {
  lastResult_ = result;
  startButton_->setEnabled(true);
  if (result.closeDialog) accept();
}

void TNahrajFirmwareForm::CloseClicked() {
  if (!JobRunning()) {
    reject();
    return;
  }
  runner_->RequestStop();
  startButton_->setEnabled(false);
}

}  // namespace liftvox
