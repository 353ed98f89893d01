#pragma once

#include <cstdint>

#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"

class QSpinBox;

namespace liftvox {

// Silence between languages (`TTichoForm`, "Přidat ticho mezi jazyky"): the length in
// milliseconds (1..99999, 500 at first) of the silence that the command puts
// wherever a sequence changes language. The length stays between openings.
class TTichoForm final : public CaptionedDialog {
  Q_OBJECT

 public:
  explicit TTichoForm(QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;

  // The modal run; true on OK (or Enter), false on Esc or "Zrušit".
  bool Open();
  int32_t Milliseconds() const;
  // The length in samples at 14456 Hz and back, both by whole division.
  int32_t GetSamples() const;
  void SetSamples(int32_t samples);

  QSpinBox* SpinEdit1() const { return milliseconds_; }

 private:
  QSpinBox* milliseconds_ = nullptr;
  DialogCaptions captions_;
};

}  // namespace liftvox
