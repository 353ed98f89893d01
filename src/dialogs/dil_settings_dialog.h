#pragma once

#include <QString>

#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"

class QComboBox;
class QLineEdit;
class QToolButton;

namespace liftvox {

class DilSwitchPanel;
class IconLibrary;
class ReorderableList;
class TPametRevazie;

// DIL switch settings (`TNastaveniDILForm`, "Nastavení DIL přepínačů"): the configuration's DIL
// entries, each a name, an icon and a pattern of switches 4 to 7. Every
// change goes into the document at once (moves and deletions re-point the
// samples); the opening command makes the whole visit one undo step.
class TNastaveniDILForm final : public CaptionedDialog {
  Q_OBJECT

 public:
  TNastaveniDILForm(const IconLibrary& icons, QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;
  void TranslateLists(const Translator& translator) override;

  // Lists `document`'s entries with the first one selected.
  void SetDocument(TPametRevazie& document);
  // SetDocument and the modal run, until "Zavřít" or Esc.
  void Open(TPametRevazie& document);

  // The selected entry's position; -1 when none.
  int SelectedEntry() const;
  // Selects entry k (-1: none) and shows its name, icon and pattern; with
  // none, an empty name, no icon and every switch not mattering.
  void SelectEntry(int k);
  // The user set the box of switch n: the selected entry takes the pattern.
  void SwitchClicked(int n);
  // The user typed in the name box: the selected entry takes the name (cleaned).
  void NameEdited(const QString& text);
  // The user chose icon `icon` (a position in the icon list).
  void IconChosen(int icon);
  // "&Nové nastavení": a new entry at the end, selected.
  void NewEntry();
  // "&Smazat nastavení": the selected entry goes; its samples fall back to the first.
  void DeleteEntry();
  // The arrow buttons and dragging: the entry moves and stays selected.
  void MoveUp();
  void MoveDown();
  void MoveEntry(int from, int to);

  ReorderableList* EntryList() const { return list_; }
  QLineEdit* NameBox() const { return name_; }
  QComboBox* IconPicker() const { return iconPicker_; }
  DilSwitchPanel* Switches() const { return switches_; }

 private:
  // Lists the entries again and selects k.
  void Refill(int k);
  void ShowEntry(int k);

  const IconLibrary& icons_;
  TPametRevazie* document_ = nullptr;
  ReorderableList* list_ = nullptr;
  QLineEdit* name_ = nullptr;
  QComboBox* iconPicker_ = nullptr;
  DilSwitchPanel* switches_ = nullptr;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
  DialogCaptions captions_;
};

}  // namespace liftvox
