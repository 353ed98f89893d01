#include "dialogs/triggering_properties_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/button_row.h"
#include "lang/caption_names.h"

namespace liftvox {
namespace {

namespace ids = caption_id::triggering_properties;

// A protocol's group with its one check box.
QCheckBox* AddGroup(DialogCaptions& captions, QWidget* parent, QVBoxLayout* layout, int groupId,
                    int boxId) {
  auto* group = captions.Text(new QGroupBox(parent), groupId);
  auto* box = captions.Text(new QCheckBox(group), boxId);
  (new QVBoxLayout(group))->addWidget(box);
  layout->addWidget(group);
  return box;
}

}  // namespace

TVlastnostiSpousteniForm::TVlastnostiSpousteniForm(QWidget* parent)
    : CaptionedDialog("TVlastnostiSpousteniForm", parent) {
  captions_.Title(this, ids::kTitle);
  // Wide enough for the title bar to show the whole title.
  setMinimumWidth(300);
  auto* layout = new QVBoxLayout(this);
  parallel_ =
      AddGroup(captions_, this, layout, ids::kParallelProtocolGroup, ids::kInvertParallelSpeak);
  serial_ = AddGroup(captions_, this, layout, ids::kSerialProtocolGroup, ids::kInvertSerialSpeak);

  auto* ok = captions_.Text(new QPushButton(this), ids::kOk);
  auto* cancel = captions_.Text(new QPushButton(this), ids::kCancel);
  layout->addLayout(ButtonRow({ok, cancel}));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TVlastnostiSpousteniForm::RegisterCaptions(CaptionTable& captions) {
  captions_.RegisterWith(captions);
}

void TVlastnostiSpousteniForm::SetFlags(bool parallelInverted, bool serialInverted) {
  parallel_->setChecked(parallelInverted);
  serial_->setChecked(serialInverted);
}

bool TVlastnostiSpousteniForm::ParallelInverted() const { return parallel_->isChecked(); }

bool TVlastnostiSpousteniForm::SerialInverted() const { return serial_->isChecked(); }

bool TVlastnostiSpousteniForm::Open(bool parallelInverted, bool serialInverted) {
  SetFlags(parallelInverted, serialInverted);
  return exec() == QDialog::Accepted;
}

}  // namespace liftvox
