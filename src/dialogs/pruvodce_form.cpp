#include "dialogs/pruvodce_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

#include "config/paths.h"
#include "dialogs/transfer_list.h"
#include "lang/caption_names.h"
#include "model/document.h"
#include "model/editing.h"
#include "ui/caption_table.h"
#include "ui/icon_library.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::wizard;

constexpr int kEntryData = Qt::UserRole;  // a sequence's input, a language's file
constexpr int kGroundFloorEntry = 3;      // "Přízemí" in the lowest-floor list
constexpr int kLowestFloorOffset = 3;     // entry 0 is the third basement (-3)

QPushButton* ArrowButton(QStyle::StandardPixmap arrow, const char* name, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setIcon(parent->style()->standardIcon(arrow));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TPruvodceForm::TPruvodceForm(const Translator& language, const IconLibrary& icons,
                             std::filesystem::path languagesFolder, QWidget* parent)
    : CaptionedDialog("TPruvodceForm", parent),
      language_(language),
      icons_(icons),
      languagesFolder_(std::move(languagesFolder)) {
  pages_ = new QStackedWidget(this);
  pages_->addWidget(CreateSequencesPage());
  pages_->addWidget(CreateFloorsPage());
  pages_->addWidget(CreateLanguagesPage());

  cancel_ = new QPushButton(this);
  cancel_->setAutoDefault(false);
  back_ = new QPushButton(this);
  back_->setAutoDefault(false);
  forward_ = new QPushButton(this);
  forward_->setDefault(true);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(back_, &QPushButton::clicked, this, &TPruvodceForm::Previous);
  connect(forward_, &QPushButton::clicked, this, &TPruvodceForm::Next);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cancel_);
  buttons->addStretch();
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons);
  resize(560, 400);
  back_->setEnabled(false);
}

QWidget* TPruvodceForm::CreateTransferPage(QLabel*& instruction, QLabel*& offeredLabel,
                                           QLabel*& chosenLabel, TransferList*& offered,
                                           TransferList*& chosen, const QString& pair) {
  auto* page = new QWidget(this);
  instruction = new QLabel(page);
  instruction->setWordWrap(true);
  offeredLabel = new QLabel(page);
  chosenLabel = new QLabel(page);
  offered = new TransferList(pair, page);
  offered->setObjectName("Offered" + pair);
  chosen = new TransferList(pair, page);
  chosen->setObjectName("Chosen" + pair);
  offered->SetPartner(chosen);
  chosen->SetPartner(offered);
  offeredLabel->setBuddy(offered);
  chosenLabel->setBuddy(chosen);

  QPushButton* add = ArrowButton(QStyle::SP_ArrowRight, "Add", page);
  QPushButton* remove = ArrowButton(QStyle::SP_ArrowLeft, "Remove", page);
  connect(add, &QPushButton::clicked, offered, &TransferList::MoveSelectedToPartner);
  connect(remove, &QPushButton::clicked, chosen, &TransferList::MoveSelectedToPartner);

  auto* arrows = new QVBoxLayout;
  arrows->addStretch();
  arrows->addWidget(add);
  arrows->addWidget(remove);
  arrows->addStretch();
  auto* grid = new QGridLayout(page);
  grid->addWidget(instruction, 0, 0, 1, 3);
  grid->addWidget(offeredLabel, 1, 0);
  grid->addWidget(chosenLabel, 1, 2);
  grid->addWidget(offered, 2, 0);
  grid->addLayout(arrows, 2, 1);
  grid->addWidget(chosen, 2, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);
  return page;
}

QWidget* TPruvodceForm::CreateSequencesPage() {
  return CreateTransferPage(sequencesInstruction_, offeredSequencesLabel_, chosenSequencesLabel_,
                            offeredSequences_, chosenSequences_, "Sequences");
}

QWidget* TPruvodceForm::CreateLanguagesPage() {
  QWidget* page =
      CreateTransferPage(languagesInstruction_, offeredLanguagesLabel_, chosenLanguagesLabel_,
                         offeredLanguages_, chosenLanguages_, "Languages");
  offeredLanguages_->setIconSize(QSize(16, 16));
  chosenLanguages_->setIconSize(QSize(16, 16));
  return page;
}

QWidget* TPruvodceForm::CreateFloorsPage() {
  auto* page = new QWidget(this);
  codingGroup_ = new QGroupBox(page);
  binaryCode_ = new QRadioButton(codingGroup_);
  grayCode_ = new QRadioButton(codingGroup_);
  binaryCode_->setChecked(true);
  auto* coding = new QVBoxLayout(codingGroup_);
  coding->addWidget(binaryCode_);
  coding->addWidget(grayCode_);

  polarityGroup_ = new QGroupBox(page);
  inverted_ = new QCheckBox(polarityGroup_);
  auto* polarity = new QVBoxLayout(polarityGroup_);
  polarity->addWidget(inverted_);
  polarity->addStretch();

  floorsGroup_ = new QGroupBox(page);
  floorCountLabel_ = new QLabel(floorsGroup_);
  floorCount_ = new QSpinBox(floorsGroup_);
  floorCount_->setRange(1, kMaxSequences);
  floorCount_->setValue(WizardChoices{}.floorCount);
  floorCountLabel_->setBuddy(floorCount_);
  lowestFloorLabel_ = new QLabel(floorsGroup_);
  lowestFloor_ = new QComboBox(floorsGroup_);
  lowestFloorLabel_->setBuddy(lowestFloor_);
  auto* floors = new QGridLayout(floorsGroup_);
  floors->addWidget(floorCountLabel_, 0, 0);
  floors->addWidget(floorCount_, 0, 1);
  floors->addWidget(lowestFloorLabel_, 1, 0);
  floors->addWidget(lowestFloor_, 1, 1);
  floors->setColumnStretch(1, 1);

  auto* layout = new QGridLayout(page);
  layout->addWidget(codingGroup_, 0, 0);
  layout->addWidget(polarityGroup_, 0, 1);
  layout->addWidget(floorsGroup_, 1, 0, 1, 2);
  layout->setRowStretch(2, 1);
  return page;
}

void TPruvodceForm::RegisterCaptions(CaptionTable& captions) {
  const auto label = [&captions](int id, QLabel* control) {
    captions.Add(id, [control](const QString& text) { control->setText(text); });
  };
  const auto group = [&captions](int id, QGroupBox* control) {
    captions.Add(id, [control](const QString& text) { control->setTitle(text); });
  };
  captions.Add(ids::kTitle, [this](const QString& text) { setWindowTitle(text); });
  label(ids::kSequencesInstruction, sequencesInstruction_);
  label(ids::kOfferedSequencesLabel, offeredSequencesLabel_);
  label(ids::kChosenSequencesLabel, chosenSequencesLabel_);
  label(ids::kLanguagesInstruction, languagesInstruction_);
  label(ids::kOfferedLanguagesLabel, offeredLanguagesLabel_);
  label(ids::kChosenLanguagesLabel, chosenLanguagesLabel_);
  label(ids::kFloorCountLabel, floorCountLabel_);
  label(ids::kLowestFloorLabel, lowestFloorLabel_);
  group(ids::kCodingGroup, codingGroup_);
  group(ids::kPolarityGroup, polarityGroup_);
  group(ids::kFloorsGroup, floorsGroup_);
  captions.AddCaption(ids::kBinaryCode, binaryCode_);
  captions.AddCaption(ids::kGrayCode, grayCode_);
  captions.AddCaption(ids::kInvertedPolarity, inverted_);
  captions.AddCaption(ids::kCancel, cancel_);
  captions.AddCaption(ids::kBack, back_);
  captions.AddCaption(ids::kNext, forward_);
}

void TPruvodceForm::TranslateLists(const Translator& translator) {
  // Every special sequence is chosen again; the offered list is emptied so
  // that no sequence stands in both lists.
  offeredSequences_->clear();
  chosenSequences_->clear();
  for (int32_t pin = 1; pin <= 7; ++pin) {
    auto* item = new QListWidgetItem(TranslatedText(translator, GeneralKindForPin(pin)->wizardKey));
    item->setData(kEntryData, pin);
    chosenSequences_->addItem(item);
  }

  const int lowest = lowestFloor_->currentIndex();
  const QString floor = TranslatedText(translator, "SekvFloorNumbered");
  lowestFloor_->clear();
  lowestFloor_->addItems(
      {TranslatedText(translator, "SekvSubfloor3"), TranslatedText(translator, "SekvSubfloor2"),
       TranslatedText(translator, "SekvSubfloor"), TranslatedText(translator, "SekvGround"),
       QString(floor).replace("%s", "1"), QString(floor).replace("%s", "2")});
  lowestFloor_->setCurrentIndex(lowest);
}

void TPruvodceForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) Open();
  CaptionedDialog::showEvent(event);
}

void TPruvodceForm::Open() {
  ShowPage(0);
  back_->setEnabled(false);
  forward_->setText(TranslatedText(language_, "Next"));
  if (lowestFloor_->currentIndex() < 0) lowestFloor_->setCurrentIndex(kGroundFloorEntry);
  offeredLanguages_->clear();
  chosenLanguages_->clear();
  for (const WizardLanguage& language : FindWizardLanguages(languagesFolder_)) {
    auto* item = new QListWidgetItem(QString::fromStdString(language.name));
    const int icon = icons_.IndexOf(language.icon);
    if (icon >= 0) item->setIcon(icons_.Icon(icon));
    item->setData(kEntryData, QString::fromStdString(PathToUtf8(language.file)));
    offeredLanguages_->addItem(item);
  }
}

int TPruvodceForm::Page() const { return pages_->currentIndex(); }

void TPruvodceForm::ShowPage(int page) { pages_->setCurrentIndex(page); }

int TPruvodceForm::MaxFloorCount(int specialSequences) { return kMaxSequences - specialSequences; }

void TPruvodceForm::Next() {
  switch (Page()) {
    case 0:
      floorCount_->setMaximum(MaxFloorCount(chosenSequences_->count()));
      back_->setEnabled(true);
      ShowPage(1);
      break;
    case 1:
      forward_->setText(TranslatedText(language_, "Finish"));
      ShowPage(2);
      break;
    default:
      accept();
      break;
  }
}

void TPruvodceForm::Previous() {
  switch (Page()) {
    case 1:
      back_->setEnabled(false);
      ShowPage(0);
      break;
    case 2:
      forward_->setText(TranslatedText(language_, "Next"));
      ShowPage(1);
      break;
    default:
      break;
  }
}

WizardChoices TPruvodceForm::Choices() const {
  WizardChoices choices;
  choices.specialPins.clear();
  for (int i = 0; i < chosenSequences_->count(); ++i)
    choices.specialPins.push_back(chosenSequences_->item(i)->data(kEntryData).toInt());
  choices.floorCount = floorCount_->value();
  const int lowest = lowestFloor_->currentIndex();
  choices.lowestFloor = (lowest < 0 ? kGroundFloorEntry : lowest) - kLowestFloorOffset;
  choices.gray = grayCode_->isChecked();
  choices.inverted = inverted_->isChecked();
  for (int i = 0; i < chosenLanguages_->count(); ++i)
    choices.languageFiles.push_back(
        PathFromUtf8(chosenLanguages_->item(i)->data(kEntryData).toString().toStdString()));
  return choices;
}

}  // namespace liftvox
