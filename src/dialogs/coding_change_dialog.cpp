#include "dialogs/coding_change_dialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/button_row.h"
#include "lang/caption_names.h"
#include "model/trigger_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::coding_change;

}  // namespace

TZmenaKodovaniForm::TZmenaKodovaniForm(QWidget* parent)
    : CaptionedDialog("TZmenaKodovaniForm", parent) {
  captions_.Title(this, ids::kTitle);

  auto* coding = captions_.Text(new QGroupBox(this), ids::kCodingGroup);
  binary_ = captions_.Text(new QRadioButton(coding), ids::kBinaryCode);
  gray_ = captions_.Text(new QRadioButton(coding), ids::kGrayCode);
  binary_->setChecked(true);
  auto* codingLayout = new QVBoxLayout(coding);
  codingLayout->addWidget(binary_);
  codingLayout->addWidget(gray_);

  auto* polarity = captions_.Text(new QGroupBox(this), ids::kPolarityGroup);
  inverted_ = captions_.Text(new QCheckBox(polarity), ids::kInvertedPolarity);
  (new QVBoxLayout(polarity))->addWidget(inverted_);

  auto* offsets = captions_.Text(new QGroupBox(this), ids::kOffsetGroup);
  floorStart_ = new QSpinBox(offsets);
  floorStart_->setRange(0, 255);
  specialStart_ = new QSpinBox(offsets);
  specialStart_->setRange(0, 255);
  specialStart_->setValue(FloorCoding{}.specialStart);
  auto* offsetGrid = new QGridLayout(offsets);
  offsetGrid->addWidget(captions_.Text(new QLabel(offsets), ids::kFloorStartLabel), 0, 0);
  offsetGrid->addWidget(floorStart_, 0, 1);
  offsetGrid->addWidget(captions_.Text(new QLabel(offsets), ids::kSpecialStartLabel), 1, 0);
  offsetGrid->addWidget(specialStart_, 1, 1);

  auto* sample = captions_.Text(new QGroupBox(this), ids::kPreviewGroup);
  preview_ = new QListWidget(sample);
  preview_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  (new QVBoxLayout(sample))->addWidget(preview_);

  auto* settings = new QVBoxLayout;
  settings->addWidget(coding);
  settings->addWidget(polarity);
  settings->addWidget(offsets);
  settings->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(settings);
  columns->addWidget(sample);

  auto* ok = captions_.Text(new QPushButton(this), ids::kOk);
  auto* cancel = captions_.Text(new QPushButton(this), ids::kCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(ButtonRow({ok, cancel}));

  connect(binary_, &QRadioButton::toggled, this, &TZmenaKodovaniForm::Prekresli);
  connect(inverted_, &QCheckBox::toggled, this, &TZmenaKodovaniForm::Prekresli);
  connect(floorStart_, &QSpinBox::valueChanged, this, &TZmenaKodovaniForm::Prekresli);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  Prekresli();
}

void TZmenaKodovaniForm::RegisterCaptions(CaptionTable& captions) {
  captions_.RegisterWith(captions);
}

bool TZmenaKodovaniForm::Open() {
  Prekresli();
  return exec() == QDialog::Accepted;
}

FloorCoding TZmenaKodovaniForm::Coding() const {
  FloorCoding coding;
  coding.gray = gray_->isChecked();
  coding.inverted = inverted_->isChecked();
  coding.floorStart = floorStart_->value();
  coding.specialStart = specialStart_->value();
  return coding;
}

void TZmenaKodovaniForm::Prekresli() {
  const FloorCoding coding = Coding();
  const int current = preview_->currentRow();
  preview_->clear();
  for (int n = 0; n < 256; ++n)
    preview_->addItem(QString::fromStdString(CodeToBinary(Zakoduj(coding, n))));
  preview_->setCurrentRow(current);
}

}  // namespace liftvox
