#include "app/load_progress.h"

#include <QLabel>

#include <cmath>

namespace liftvox {
namespace {

constexpr int kSteps = 1000;

}  // namespace

LoadProgress::LoadProgress(QWidget* parent, const QString& title, const QString& name,
                           const QString& stopText)
    : dialog_(new QProgressDialog(parent)) {
  auto* label = new QLabel(name, dialog_);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  dialog_->setLabel(label);
  dialog_->setWindowTitle(title);
  dialog_->setCancelButtonText(stopText);
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setRange(0, kSteps);
  dialog_->setMinimumDuration(kShowAfterMilliseconds);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setValue(0);
}

LoadProgress::~LoadProgress() { delete dialog_; }

JobProgress LoadProgress::Callback() {
  return [this](const std::string&, float fraction) {
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
