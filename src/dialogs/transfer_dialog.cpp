#include "dialogs/transfer_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/caption_table.h"
#include "ui/translated_text.h"

namespace liftvox {

TransferDialog::TransferDialog(const char* className, int captionBase, bool withStart,
                               AnnouncerSession& session, QWidget* parent)
    : DeviceDialog(className, session, parent),
      captionBase_(captionBase),
      statusGroup_(new QGroupBox(this)),
      progressLabel_(new QLabel(statusGroup_)),
      portLabel_(new QLabel(statusGroup_)),
      portValue_(new QLabel(statusGroup_)),
      errorLabel_(new QLabel(statusGroup_)),
      errorValue_(new QLabel("0", statusGroup_)),
      progressValue_(new QLabel(statusGroup_)),
      progressBar_(new QProgressBar(statusGroup_)),
      closeButton_(new QPushButton(this)) {
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  auto* grid = new QGridLayout(statusGroup_);
  grid->addWidget(portLabel_, 0, 0);
  grid->addWidget(portValue_, 0, 1);
  grid->addWidget(errorLabel_, 1, 0);
  grid->addWidget(errorValue_, 1, 1);
  grid->addWidget(progressLabel_, 2, 0);
  grid->addWidget(progressValue_, 2, 1);
  grid->addWidget(progressBar_, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(this);
  if (withStart) {
    startButton_ = new QPushButton(this);
    startButton_->setEnabled(false);  // until a run has ended
    buttons->addButton(startButton_, QDialogButtonBox::ActionRole);
    connect(startButton_, &QPushButton::clicked, this, &TransferDialog::StartJob);
  }
  buttons->addButton(closeButton_, QDialogButtonBox::RejectRole);
  closeButton_->setAutoDefault(false);
  connect(closeButton_, &QPushButton::clicked, this, &TransferDialog::CloseClicked);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(statusGroup_);
  layout->addWidget(buttons);
  setMinimumWidth(380);

  connect(runner_, &DeviceJobRunner::PortChanged, portValue_, &QLabel::setText);
  connect(runner_, &DeviceJobRunner::ErrorCountChanged, this,
          [this](int count) { errorValue_->setText(QString::number(count)); });
  connect(runner_, &DeviceJobRunner::ProgressChanged, this,
          [this](int percent, const QString& text) {
            progressBar_->setValue(percent);
            progressValue_->setText(text);
          });
}

void TransferDialog::RegisterCaptions(CaptionTable& captions) {
  const int id = captionBase_;
  captions.Add(id, [this](const QString& text) { setWindowTitle(text); });
  captions.Add(id + 1, [this](const QString& text) { statusGroup_->setTitle(text); });
  captions.Add(id + 2, [this](const QString& text) { progressLabel_->setText(text); });
  captions.Add(id + 3, [this](const QString& text) { portLabel_->setText(text); });
  captions.Add(id + 4, [this](const QString& text) { portValue_->setText(text); });
  captions.Add(id + 5, [this](const QString& text) { errorLabel_->setText(text); });
  int next = id + 6;
  if (startButton_) captions.AddCaption(next++, startButton_);
  captions.AddCaption(next, closeButton_);
}

QString TransferDialog::PortText() const { return portValue_->text(); }
QString TransferDialog::ErrorCountText() const { return errorValue_->text(); }
QString TransferDialog::ProgressText() const { return progressValue_->text(); }
int TransferDialog::ProgressPercent() const { return progressBar_->value(); }

void TransferDialog::StartJob() {
  if (JobRunning()) return;
  if (startButton_) startButton_->setEnabled(false);
  closeButton_->setEnabled(true);
  errorValue_->setText("0");
  progressBar_->setValue(0);
  progressValue_->clear();
  lastResult_ = TransferResult{};
  runner_->Start(Transfer());
}

void TransferDialog::Ended(const TransferResult& result) {
  lastResult_ = result;
  if (startButton_) startButton_->setEnabled(true);
  closeButton_->setEnabled(true);
  if (result.closeDialog) accept();
}

void TransferDialog::CloseClicked() {
  if (!JobRunning()) {
    reject();
    return;
  }
  runner_->RequestStop();
  closeButton_->setEnabled(false);
}

}  // namespace liftvox
