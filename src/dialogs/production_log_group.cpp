#include "dialogs/production_log_group.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "lang/caption_names.h"
#include "model/translator.h"
#include "ui/caption_table.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::program_settings;

}  // namespace

ProductionLogGroup::ProductionLogGroup(QWidget* parent)
    : QGroupBox(parent),
      on_(new QCheckBox(this)),
      file_(new QLineEdit(this)),
      choose_(new QPushButton(this)),
      filter_(TranslatedText(CzechTranslator(), "CsvFiles")) {
  choose_->setAutoDefault(false);
  auto* layout = new QGridLayout(this);
  layout->addWidget(on_, 0, 0, 1, 2);
  layout->addWidget(file_, 1, 0);
  layout->addWidget(choose_, 1, 1);
  layout->setColumnStretch(0, 1);
  connect(on_, &QCheckBox::toggled, this, &ProductionLogGroup::FollowCheckBox);
  connect(choose_, &QPushButton::clicked, this, &ProductionLogGroup::ChooseFile);
  FollowCheckBox();
}

void ProductionLogGroup::RegisterCaptions(CaptionTable& captions) {
  captions.Add(ids::kProductionLogGroup, [this](const QString& text) { setTitle(text); });
  captions.AddCaption(ids::kWriteProductionLog, on_);
  captions.AddCaption(ids::kChooseLogFile, choose_);
}

void ProductionLogGroup::TranslateLists(const Translator& translator) {
  filter_ = TranslatedText(translator, "CsvFiles");
}

void ProductionLogGroup::Show(bool on, const QString& file) {
  on_->setChecked(on);
  file_->setText(QDir::toNativeSeparators(file));
  FollowCheckBox();
}

bool ProductionLogGroup::On() const { return on_->isChecked(); }
QString ProductionLogGroup::File() const {
  return QDir::fromNativeSeparators(file_->text().trimmed());
}

void ProductionLogGroup::ChooseFile() {
  const QString chosen =
      QFileDialog::getSaveFileName(this, title(), File().isEmpty() ? QDir::homePath() : File(),
                                   filter_, nullptr, QFileDialog::DontConfirmOverwrite);
  if (!chosen.isEmpty()) file_->setText(QDir::toNativeSeparators(chosen));
}

void ProductionLogGroup::FollowCheckBox() {
  file_->setEnabled(on_->isChecked());
  choose_->setEnabled(on_->isChecked());
}

}  // namespace liftvox
