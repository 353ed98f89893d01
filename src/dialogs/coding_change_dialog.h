#pragma once

#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"
#include "model/coding.h"

class QCheckBox;
class QListWidget;
class QRadioButton;
class QSpinBox;

namespace liftvox {

// Coding change (`TZmenaKodovaniForm`, "Hromadná změna kódování pater"): binary or Gray code,
// polarity and the two start positions by which the whole configuration is
// renumbered, with a preview of the 256 floor codes. The settings stay
// between openings; the command applies them on OK.
class TZmenaKodovaniForm final : public CaptionedDialog {
  Q_OBJECT

 public:
  explicit TZmenaKodovaniForm(QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;

  // The preview again, then the modal run; true on OK.
  bool Open();
  // The chosen coding.
  FloorCoding Coding() const;
  // Lists the code of every floor position 0..255 in binary.
  void Prekresli();

  QRadioButton* BinaryButton() const { return binary_; }
  QRadioButton* GrayButton() const { return gray_; }
  QCheckBox* InvertedBox() const { return inverted_; }
  QSpinBox* FloorStartBox() const { return floorStart_; }
  QSpinBox* SpecialStartBox() const { return specialStart_; }
  QListWidget* Preview() const { return preview_; }

 private:
  QRadioButton* binary_ = nullptr;
  QRadioButton* gray_ = nullptr;
  QCheckBox* inverted_ = nullptr;
  QSpinBox* floorStart_ = nullptr;
  QSpinBox* specialStart_ = nullptr;
  QListWidget* preview_ = nullptr;
  DialogCaptions captions_;
};

}  // namespace liftvox
