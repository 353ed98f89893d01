#include "app/load_progress.h"

#include <QLabel>

#include <cmath>

namespace liftvox {
namespace {

constexpr int kSteps = 1000;

}  // namespace

LoadProgress::LoadProgress(QWidget* parent, QString title, QString name, QString stopText)
    : parent_(parent),
      title_(std::move(title)),
      name_(std::move(name)),
      stopText_(std::move(stopText)) {}

LoadProgress::~LoadProgress() { delete dialog_; }

void LoadProgress::CreateDialog() {
  created_ = true;
  if (!parent_) return;
  dialog_ = new QProgressDialog(parent_);
  auto* label = new QLabel(name_, dialog_);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  dialog_->setLabel(label);
  dialog_->setWindowTitle(title_);
  dialog_->setCancelButtonText(stopText_);
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setRange(0, kSteps);
  dialog_->setMinimumDuration(kShowAfterMilliseconds);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setValue(0);
}

JobProgress LoadProgress::Callback() {
  return [this](const std::string&, float fraction) {
    if (!created_) CreateDialog();
    if (!dialog_) return false;
    // A window-modal dialog lets events through while the value is set.
    dialog_->setValue(static_cast<int>(std::lround(std::clamp(fraction, 0.0f, 1.0f) * kSteps)));
    const bool go = !dialog_->wasCanceled();
    // Done: a message the job shows next must not have the dialog appear over
    // it from its own timer, window-modal, blocking the message's buttons.
    if (go && fraction >= 1.0f) {
      dialog_->reset();
      dialog_->hide();
    }
    return go;
  };
}

}  // namespace liftvox
