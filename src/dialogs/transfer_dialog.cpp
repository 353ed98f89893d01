#include "dialogs/transfer_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "ui/caption_table.h"

namespace liftvox {

TransferDialog::TransferDialog(const char* className, const TransferCaptionIds& captionIds,
                               AnnouncerSession& session, QWidget* parent)
    : DeviceProgressDialog(className, captionIds.start != 0, session, parent),
      captionIds_(captionIds),
      port_(AddPortRow()),
      errors_(AddStatusRow()) {
  errors_.value->setText("0");
  connect(runner_, &DeviceJobRunner::ErrorCountChanged, this,
          [this](int count) { errors_.value->setText(QString::number(count)); });
}

void TransferDialog::RegisterCaptions(CaptionTable& captions) {
  const TransferCaptionIds& ids = captionIds_;
  const auto label = [&captions](int id, QLabel* shown) {
    captions.Add(id, [shown](const QString& text) { shown->setText(text); });
  };
  captions.Add(ids.title, [this](const QString& text) { setWindowTitle(text); });
  captions.Add(ids.statusGroup, [this](const QString& text) { StatusGroup()->setTitle(text); });
  label(ids.progressLabel, ProgressLabel());
  label(ids.portLabel, port_.label);
  label(ids.portValue, port_.value);
  label(ids.errorCountLabel, errors_.label);
  if (StartButton()) captions.AddCaption(ids.start, StartButton());
  captions.AddCaption(ids.close, CloseButton());
}

QString TransferDialog::ErrorCountText() const { return errors_.value->text(); }

void TransferDialog::StartJob() {
  if (JobRunning()) return;
  errors_.value->setText("0");
  lastResult_ = TransferResult{};
  StartRun(Transfer());
}

void TransferDialog::Ended(const TransferResult& result) {
  lastResult_ = result;
  RunEnded(result.closeDialog);
}

}  // namespace liftvox
