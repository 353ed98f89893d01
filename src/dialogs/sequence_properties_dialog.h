#pragma once

#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"
#include "model/property_edits.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace liftvox {

class TPametRevazie;
class TSekvence;

// Sequence properties (`TVlastnostiSekvenceForm`, "Nastavení sekvence"): the name, priority,
// trigger (code, parallel input or serial bit, each with its inversion) and automatic repetition of
// one sequence. It works on the sequence it is given; the opening command makes the whole visit one
// undo step.
class TVlastnostiSekvenceForm final : public CaptionedDialog {
  Q_OBJECT

 public:
  // The controls, for whoever drives the dialog without a mouse.
  struct Controls {
    QLineEdit* name = nullptr;
    QSpinBox* priority = nullptr;
    QLineEdit* code = nullptr;
    QComboBox* pin = nullptr;  // position 0 = none, 1..7 the inputs
    QCheckBox* invertPin = nullptr;
    QComboBox* bit = nullptr;  // position 0 = none, then kSerialTriggerBits
    QCheckBox* invertBit = nullptr;
    QCheckBox* repeat = nullptr;
    QSpinBox* repeatSeconds = nullptr;
    QLabel* repeatLabel = nullptr;  // and its unit: both follow repeatSeconds
    QLabel* repeatUnit = nullptr;
  };

  explicit TVlastnostiSekvenceForm(QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;
  void TranslateLists(const Translator& translator) override;

  // The sequence to edit, a member of `document`.
  void SetSequence(TPametRevazie& document, TSekvence& sequence);
  // Fills the controls from the sequence. A floor sequence loses its input,
  // serial bit and serial inversion at once, and keeps that when cancelled.
  void FormShow();
  // SetSequence, FormShow and the modal run; true when OK stored the values.
  bool Open(TPametRevazie& document, TSekvence& sequence);

  // Both lists stand at none: the sequence is started by its code, and only
  // then is the code box shown.
  bool CodeTriggered() const;
  // A list changed: the code box and the repetition follow the trigger.
  void ComboBoxChange();
  // The values as OK stores them.
  SequenceProperties Properties() const;
  // OK: the uniqueness checks (the first failure is shown and the dialog
  // stays open with nothing stored), then the values go into the sequence
  // and the dialog closes. True when stored.
  bool Button2Click();

  const Controls& Widgets() const { return controls_; }

 private:
  void UpdateRepeatBox();
  int32_t SerialBitNumber() const;
  void ShowCode(bool shown);

  TPametRevazie* document_ = nullptr;
  TSekvence* sequence_ = nullptr;
  Controls controls_;
  QLabel* codeLabel_ = nullptr;
  DialogCaptions captions_;
};

}  // namespace liftvox
