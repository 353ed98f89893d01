#pragma once

#include <filesystem>

#include "config/wizard.h"
#include "dialogs/captioned_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace liftvox {

class IconLibrary;
class TransferList;

// The new-configuration wizard (`TPruvodceForm`): page 1 the special
// sequences, page 2 the floors and their coding, page 3 the languages of the
// wizard files. Finish accepts the dialog; the caller builds the
// configuration from Choices() through the core (SestavKonfiguraci), so the
// wizard and the command line build the same file from the same choices.
class TPruvodceForm final : public CaptionedDialog {
  Q_OBJECT

 public:
  // `languagesFolder` holds the *.wiz files; `icons` give the languages'
  // pictures. Both outlive the dialog, as does `language`.
  TPruvodceForm(const Translator& language, const IconLibrary& icons,
                std::filesystem::path languagesFolder, QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;
  // All seven special sequences chosen again (none offered), and the lowest
  // floors' texts, in the current language.
  void TranslateLists(const Translator& translator) override;

  // What the dialog does each time it opens: page 1, the forward button
  // reads "Next", a lowest floor chosen ("Přízemí" when none was), the
  // languages offered anew from the wizard files and none chosen.
  void Open();
  int Page() const;  // 0, 1 or 2
  // The forward button: the next page, or on the last page Finish.
  void Next();
  void Previous();

  // The most floors that fit beside `specialSequences` special sequences.
  static int MaxFloorCount(int specialSequences);
  // The choices as the pages hold them.
  WizardChoices Choices() const;

  TransferList& OfferedSequences() const { return *offeredSequences_; }
  TransferList& ChosenSequences() const { return *chosenSequences_; }
  TransferList& OfferedLanguages() const { return *offeredLanguages_; }
  TransferList& ChosenLanguages() const { return *chosenLanguages_; }
  QSpinBox& FloorCount() const { return *floorCount_; }
  QComboBox& LowestFloor() const { return *lowestFloor_; }
  QRadioButton& GrayCode() const { return *grayCode_; }
  QCheckBox& Inverted() const { return *inverted_; }
  QPushButton& ForwardButton() const { return *forward_; }
  QPushButton& BackButton() const { return *back_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* CreateSequencesPage();
  QWidget* CreateFloorsPage();
  QWidget* CreateLanguagesPage();
  QWidget* CreateTransferPage(QLabel*& instruction, QLabel*& offeredLabel, QLabel*& chosenLabel,
                              TransferList*& offered, TransferList*& chosen, const QString& pair);
  void ShowPage(int page);

  const Translator& language_;
  const IconLibrary& icons_;
  std::filesystem::path languagesFolder_;

  QStackedWidget* pages_ = nullptr;
  QLabel* sequencesInstruction_ = nullptr;
  QLabel* offeredSequencesLabel_ = nullptr;
  QLabel* chosenSequencesLabel_ = nullptr;
  TransferList* offeredSequences_ = nullptr;
  TransferList* chosenSequences_ = nullptr;
  QLabel* languagesInstruction_ = nullptr;
  QLabel* offeredLanguagesLabel_ = nullptr;
  QLabel* chosenLanguagesLabel_ = nullptr;
  TransferList* offeredLanguages_ = nullptr;
  TransferList* chosenLanguages_ = nullptr;
  QGroupBox* codingGroup_ = nullptr;
  QGroupBox* polarityGroup_ = nullptr;
  QGroupBox* floorsGroup_ = nullptr;
  QRadioButton* binaryCode_ = nullptr;
  QRadioButton* grayCode_ = nullptr;
  QCheckBox* inverted_ = nullptr;
  QLabel* floorCountLabel_ = nullptr;
  QSpinBox* floorCount_ = nullptr;
  QLabel* lowestFloorLabel_ = nullptr;
  QComboBox* lowestFloor_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* forward_ = nullptr;
};

}  // namespace liftvox
