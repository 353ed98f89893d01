#include "dialogs/dil_settings_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/button_row.h"
#include "dialogs/dil_switch_panel.h"
#include "dialogs/reorderable_list.h"
#include "lang/caption_names.h"
#include "model/dil_list.h"
#include "model/document.h"
#include "model/translator.h"
#include "ui/dil_entry_delegate.h"
#include "ui/icon_library.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::dil_settings;

}  // namespace

TNastaveniDILForm::TNastaveniDILForm(const IconLibrary& icons, QWidget* parent)
    : CaptionedDialog("TNastaveniDILForm", parent), icons_(icons) {
  captions_.Title(this, ids::kTitle);

  list_ = new ReorderableList(this);
  list_->setItemDelegate(new DilEntryDelegate(list_));
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  auto* arrows = new QHBoxLayout;
  arrows->addWidget(up_);
  arrows->addWidget(down_);
  arrows->addStretch();
  auto* left = new QVBoxLayout;
  left->addWidget(captions_.Text(new QLabel(this), ids::kEntryListLabel));
  left->addWidget(list_);
  left->addLayout(arrows);

  name_ = new QLineEdit(this);
  iconPicker_ = new QComboBox(this);
  iconPicker_->setItemDelegate(new DilEntryDelegate(iconPicker_));
  switches_ = captions_.Text(new DilSwitchPanel(this), ids::kSwitchBoxesGroup);
  auto* fields = new QGridLayout;
  fields->addWidget(captions_.Text(new QLabel(this), ids::kEntryNameLabel), 0, 0);
  fields->addWidget(name_, 0, 1);
  fields->addWidget(captions_.Text(new QLabel(this), ids::kIconListLabel), 1, 0);
  fields->addWidget(iconPicker_, 1, 1);
  auto* right = new QVBoxLayout;
  right->addLayout(fields);
  right->addWidget(switches_);
  for (int note : {ids::kNoteOnSwitches1To3, ids::kNoteOnSwitch8}) {
    auto* label = captions_.Text(new QLabel(this), note);
    label->setWordWrap(true);
    right->addWidget(label);
  }
  right->addStretch();

  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 2);

  auto* add = captions_.Text(new QPushButton(this), ids::kNewEntry);
  auto* remove = captions_.Text(new QPushButton(this), ids::kDeleteEntry);
  auto* close = captions_.Text(new QPushButton(this), ids::kClose);
  QHBoxLayout* buttons = ButtonRow({close});
  buttons->insertWidget(0, add);
  buttons->insertWidget(1, remove);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons);

  connect(list_, &QListWidget::currentRowChanged, this, &TNastaveniDILForm::ShowEntry);
  connect(list_, &ReorderableList::MoveRequested, this, &TNastaveniDILForm::MoveEntry);
  connect(up_, &QToolButton::clicked, this, &TNastaveniDILForm::MoveUp);
  connect(down_, &QToolButton::clicked, this, &TNastaveniDILForm::MoveDown);
  connect(name_, &QLineEdit::textEdited, this, &TNastaveniDILForm::NameEdited);
  connect(iconPicker_, &QComboBox::activated, this, &TNastaveniDILForm::IconChosen);
  connect(switches_, &DilSwitchPanel::SwitchClicked, this, &TNastaveniDILForm::SwitchClicked);
  connect(add, &QPushButton::clicked, this, &TNastaveniDILForm::NewEntry);
  connect(remove, &QPushButton::clicked, this, &TNastaveniDILForm::DeleteEntry);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  TranslateLists(CzechTranslator());
}

void TNastaveniDILForm::RegisterCaptions(CaptionTable& captions) {
  captions_.RegisterWith(captions);
}

void TNastaveniDILForm::TranslateLists(const Translator& translator) {
  switches_->SetDoesntMatterText(TranslatedText(translator, "DoesntMatter"));
}

void TNastaveniDILForm::SetDocument(TPametRevazie& document) {
  document_ = &document;
  iconPicker_->clear();
  for (std::size_t i = 0; i < document.IconNames.size(); ++i)
    iconPicker_->addItem(icons_.Icon(static_cast<int>(i)),
                         QString::fromStdString(document.IconNames[i]));
  Refill(document.DilEntries.empty() ? -1 : 0);
}

void TNastaveniDILForm::Open(TPametRevazie& document) {
  SetDocument(document);
  exec();
}

int TNastaveniDILForm::SelectedEntry() const {
  const int row = list_->currentRow();
  return document_ && row >= 0 && row < static_cast<int>(document_->DilEntries.size()) ? row : -1;
}

void TNastaveniDILForm::SelectEntry(int k) {
  list_->setCurrentRow(k);
  ShowEntry(SelectedEntry());
}

void TNastaveniDILForm::ShowEntry(int k) {
  if (!document_ || k < 0 || k >= static_cast<int>(document_->DilEntries.size())) {
    name_->clear();
    iconPicker_->setCurrentIndex(-1);
    switches_->ShowNoEntry();
    return;
  }
  const DilEntry& entry = document_->DilEntries[static_cast<std::size_t>(k)];
  name_->setText(QString::fromStdString(entry.Name));
  iconPicker_->setCurrentIndex(entry.Icon < iconPicker_->count() ? entry.Icon : -1);
  switches_->ShowPattern(entry.Pattern);
}

void TNastaveniDILForm::Refill(int k) {
  const QSignalBlocker quiet(list_);
  list_->clear();
  if (document_) {
    for (const DilEntry& entry : document_->DilEntries)
      list_->addItem(
          new QListWidgetItem(icons_.Icon(entry.Icon), QString::fromStdString(entry.Name)));
  }
  list_->setCurrentRow(k);
  ShowEntry(SelectedEntry());
}

void TNastaveniDILForm::SwitchClicked(int /*n*/) {
  if (const int k = SelectedEntry(); k >= 0)
    SetDilEntryPattern(*document_, k, switches_->Pattern());
}

void TNastaveniDILForm::NameEdited(const QString& text) {
  const int k = SelectedEntry();
  if (k < 0) return;
  RenameDilEntry(*document_, k, text.toStdString());
  list_->item(k)->setText(
      QString::fromStdString(document_->DilEntries[static_cast<std::size_t>(k)].Name));
}

void TNastaveniDILForm::IconChosen(int icon) {
  const int k = SelectedEntry();
  if (k < 0 || icon < 0) return;
  SetDilEntryIcon(*document_, k, icon);
  list_->item(k)->setIcon(icons_.Icon(icon));
}

void TNastaveniDILForm::NewEntry() {
  if (!document_) return;
  SelectEntry(-1);
  Refill(AddDilEntry(*document_));
}

void TNastaveniDILForm::DeleteEntry() {
  const int k = SelectedEntry();
  if (k < 0) return;
  DeleteDilEntry(*document_, k);
  // The entry that took its place, so that several go one after another.
  Refill(std::min(k, static_cast<int>(document_->DilEntries.size()) - 1));
}

void TNastaveniDILForm::MoveUp() {
  if (const int k = SelectedEntry(); k > 0) MoveEntry(k, k - 1);
}

void TNastaveniDILForm::MoveDown() {
  const int k = SelectedEntry();
  if (k >= 0 && k + 1 < static_cast<int>(document_->DilEntries.size())) MoveEntry(k, k + 1);
}

void TNastaveniDILForm::MoveEntry(int from, int to) {
  if (!document_) return;
  const int count = static_cast<int>(document_->DilEntries.size());
  if (from < 0 || from >= count || to < 0 || to >= count) return;
  MoveDilEntry(*document_, from, to);
  Refill(to);
}

}  // namespace liftvox
