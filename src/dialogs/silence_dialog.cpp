#include "dialogs/silence_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "audio/preview.h"
#include "dialogs/button_row.h"
#include "model/sample.h"

namespace liftvox {

TTichoForm::TTichoForm(QWidget* parent) : CaptionedDialog("TTichoForm", parent) {
  captions_.Title(this, 700);
  // Wide enough for the title bar to show the whole title.
  setMinimumWidth(300);
  auto* group = captions_.Text(new QGroupBox(this), 701);
  milliseconds_ = new QSpinBox(group);
  milliseconds_->setRange(1, kLongestSilenceMilliseconds);
  milliseconds_->setValue(500);
  auto* row = new QHBoxLayout(group);
  row->addWidget(captions_.Text(new QLabel(group), 702));
  row->addWidget(milliseconds_);
  row->addWidget(captions_.Text(new QLabel(group), 703));
  row->addStretch();

  auto* ok = captions_.Text(new QPushButton(this), 704);
  auto* cancel = captions_.Text(new QPushButton(this), 705);
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
