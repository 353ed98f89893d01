#include "dialogs/language_order_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/button_row.h"
#include "dialogs/reorderable_list.h"
#include "lang/caption_names.h"
#include "ui/dil_entry_delegate.h"
#include "ui/icon_library.h"

namespace liftvox {
namespace {

namespace ids = caption_id::language_order;

}  // namespace

TPoradiJazykuForm::TPoradiJazykuForm(const IconLibrary& icons, QWidget* parent)
    : CaptionedDialog("TPoradiJazykuForm", parent), icons_(icons) {
  captions_.Title(this, ids::kTitle);
  list_ = new ReorderableList(this);
  list_->setItemDelegate(new DilEntryDelegate(list_));
  auto* up = new QToolButton(this);
  up->setArrowType(Qt::UpArrow);
  auto* down = new QToolButton(this);
  down->setArrowType(Qt::DownArrow);
  auto* arrows = new QVBoxLayout;
  arrows->addWidget(up);
  arrows->addWidget(down);
  arrows->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addWidget(list_);
  columns->addLayout(arrows);

  auto* apply = captions_.Text(new QPushButton(this), ids::kApply);
  auto* cancel = captions_.Text(new QPushButton(this), ids::kCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(ButtonRow({apply, cancel}));

  connect(up, &QToolButton::clicked, this, &TPoradiJazykuForm::MoveUp);
  connect(down, &QToolButton::clicked, this, &TPoradiJazykuForm::MoveDown);
  connect(list_, &ReorderableList::MoveRequested, this, &TPoradiJazykuForm::MoveLine);
  connect(apply, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TPoradiJazykuForm::RegisterCaptions(CaptionTable& captions) {
  captions_.RegisterWith(captions);
}

void TPoradiJazykuForm::Fill(const std::vector<DilEntry>& entries) {
  list_->clear();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    auto* line =
        new QListWidgetItem(icons_.Icon(entries[i].Icon), QString::fromStdString(entries[i].Name));
    line->setData(Qt::UserRole, static_cast<int>(i));
    list_->addItem(line);
  }
  list_->setCurrentRow(entries.empty() ? -1 : 0);
}

bool TPoradiJazykuForm::Open(const std::vector<DilEntry>& entries) {
  Fill(entries);
  return exec() == QDialog::Accepted;
}

std::vector<int> TPoradiJazykuForm::Order() const {
  std::vector<int> order;
  for (int row = 0; row < list_->count(); ++row)
    order.push_back(list_->item(row)->data(Qt::UserRole).toInt());
  return order;
}

void TPoradiJazykuForm::MoveUp() {
  if (const int row = list_->currentRow(); row > 0) MoveLine(row, row - 1);
}

void TPoradiJazykuForm::MoveDown() {
  const int row = list_->currentRow();
  if (row >= 0 && row + 1 < list_->count()) MoveLine(row, row + 1);
}

void TPoradiJazykuForm::MoveLine(int from, int to) {
  const int count = list_->count();
  if (from < 0 || from >= count || to < 0 || to >= count) return;
  QListWidgetItem* line = list_->takeItem(from);
  list_->insertItem(to, line);
  list_->setCurrentRow(to);
}

}  // namespace liftvox
