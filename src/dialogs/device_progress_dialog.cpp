#include "dialogs/device_progress_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace liftvox {
namespace {

// The progress rows stand below any status row a dialog adds.
constexpr int kProgressRow = 100;

}  // namespace

DeviceProgressDialog::DeviceProgressDialog(const char* className, bool withStart,
                                           AnnouncerSession& session, QWidget* parent)
    : DeviceDialog(className, session, parent),
      statusGroup_(new QGroupBox(this)),
      grid_(new QGridLayout(statusGroup_)),
      progressLabel_(new QLabel(statusGroup_)),
      progressValue_(new QLabel(statusGroup_)),
      progressBar_(new QProgressBar(statusGroup_)),
      closeButton_(new QPushButton(this)) {
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  grid_->addWidget(progressLabel_, kProgressRow, 0);
  grid_->addWidget(progressValue_, kProgressRow, 1);
  grid_->addWidget(progressBar_, kProgressRow + 1, 0, 1, 2);
  grid_->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(this);
  if (withStart) {
    startButton_ = new QPushButton(this);
    startButton_->setEnabled(false);
    buttons->addButton(startButton_, QDialogButtonBox::ActionRole);
    connect(startButton_, &QPushButton::clicked, this, &DeviceProgressDialog::StartJob);
  }
  buttons->addButton(closeButton_, QDialogButtonBox::RejectRole);
  closeButton_->setAutoDefault(false);
  connect(closeButton_, &QPushButton::clicked, this, &DeviceProgressDialog::CloseClicked);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(statusGroup_);
  layout->addWidget(buttons);
  setMinimumWidth(380);

  connect(runner_, &DeviceJobRunner::ProgressChanged, this,
          [this](int percent, const QString& text) {
            progressBar_->setValue(percent);
            progressValue_->setText(text);
          });
}

DeviceProgressDialog::StatusRow DeviceProgressDialog::AddStatusRow() {
  const StatusRow row{new QLabel(statusGroup_), new QLabel(statusGroup_)};
  grid_->addWidget(row.label, rows_, 0);
  grid_->addWidget(row.value, rows_, 1);
  ++rows_;
  return row;
}

DeviceProgressDialog::StatusRow DeviceProgressDialog::AddPortRow() {
  const StatusRow row = AddStatusRow();
  portValue_ = row.value;
  connect(runner_, &DeviceJobRunner::PortChanged, portValue_, &QLabel::setText);
  return row;
}

void DeviceProgressDialog::AddBelowStatus(QWidget* control) {
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->insertWidget(column->count() - 1, control);  // the buttons stay last
}

QString DeviceProgressDialog::PortText() const {
  return portValue_ ? portValue_->text() : QString();
}
QString DeviceProgressDialog::ProgressText() const { return progressValue_->text(); }
int DeviceProgressDialog::ProgressPercent() const { return progressBar_->value(); }

void DeviceProgressDialog::StartRun(DeviceJobRunner::Job job) {
  if (JobRunning()) return;
  if (startButton_) startButton_->setEnabled(false);
  closeButton_->setEnabled(true);
  progressBar_->setValue(0);
  progressValue_->clear();
  runner_->Start(std::move(job));
}

void DeviceProgressDialog::RunEnded(bool closeDialog) {
  if (startButton_) startButton_->setEnabled(true);
  closeButton_->setEnabled(true);
  if (closeDialog) accept();
}

void DeviceProgressDialog::CloseClicked() {
  if (!JobRunning()) {
    reject();
    return;
  }
  runner_->RequestStop();
  closeButton_->setEnabled(false);
}

}  // namespace liftvox
