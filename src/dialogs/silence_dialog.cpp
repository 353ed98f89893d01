#include "dialogs/silence_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "audio/preview.h"
#include "dialogs/button_row.h"
#include "lang/caption_names.h"
#include "model/sample.h"

namespace liftvox {
namespace {

namespace ids = caption_id::silence;

}  // namespace

TTichoForm::TTichoForm(QWidget* parent) : CaptionedDialog("TTichoForm", parent) {
  captions_.Title(this, ids::kTitle);
  // Wide enough for the title bar to show the whole title.
  setMinimumWidth(300);
  auto* group = captions_.Text(new QGroupBox(this), ids::kGroup);
  milliseconds_ = new QSpinBox(group);
  milliseconds_->setRange(1, kLongestSilenceMilliseconds);
  milliseconds_->setValue(500);
  auto* row = new QHBoxLayout(group);
  row->addWidget(captions_.Text(new QLabel(group), ids::kLengthLabel));
  row->addWidget(milliseconds_);
  row->addWidget(captions_.Text(new QLabel(group), ids::kUnit));
  row->addStretch();

  auto* ok = captions_.Text(new QPushButton(this), ids::kOk);
  auto* cancel = captions_.Text(new QPushButton(this), ids::kCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(ButtonRow({ok, cancel}));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TTichoForm::RegisterCaptions(CaptionTable& captions) { captions_.RegisterWith(captions); }

bool TTichoForm::Open() {
  milliseconds_->setFocus();
  milliseconds_->selectAll();
  return exec() == QDialog::Accepted;
}

int32_t TTichoForm::Milliseconds() const { return milliseconds_->value(); }

int32_t TTichoForm::GetSamples() const { return SilenceDialogSamples(milliseconds_->value()); }

void TTichoForm::SetSamples(int32_t samples) {
  milliseconds_->setValue(SilenceDialogMilliseconds(samples));
}

}  // namespace liftvox
