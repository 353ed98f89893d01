#pragma once

#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"

class QCheckBox;

namespace liftvox {

// Triggering properties (`TVlastnostiSpousteniForm`, "Vlastnosti spouštění pater"): the polarity of
// the "speak" signal that starts floor announcements, on the parallel and on the serial protocol.
// No checks; the command stores the boxes only on OK.
class TVlastnostiSpousteniForm final : public CaptionedDialog {
  Q_OBJECT

 public:
  explicit TVlastnostiSpousteniForm(QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;

  // The boxes show the flags; true when the dialog closed with OK.
  bool Open(bool parallelInverted, bool serialInverted);
  void SetFlags(bool parallelInverted, bool serialInverted);
  // What the boxes say, for OK to store.
  bool ParallelInverted() const;
  bool SerialInverted() const;

  QCheckBox* ParallelBox() const { return parallel_; }
  QCheckBox* SerialBox() const { return serial_; }

 private:
  QCheckBox* parallel_ = nullptr;
  QCheckBox* serial_ = nullptr;
  DialogCaptions captions_;
};

}  // namespace liftvox
