#pragma once

#include <QString>

#include <cstdint>
#include <vector>

#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"
#include "model/dil_entry.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;

namespace liftvox {

class DilSwitchPanel;
class IconLibrary;
class TVzorek;

// Message properties (`TVlastnostiHlaskyForm`, "Vlastnosti hlášky"): a silence's length in
// milliseconds, or a recording's DIL entry with that entry's switch pattern
// (shown only: patterns are edited in the DIL settings). The dialog keeps its
// own values; the command stores them into the sample on OK.
class TVlastnostiHlaskyForm final : public CaptionedDialog {
  Q_OBJECT

 public:
  TVlastnostiHlaskyForm(const IconLibrary& icons, QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;
  void TranslateLists(const Translator& translator) override;

  // Fills everything from `sample`, whose entry list is `entries`.
  void ShowSample(const TVzorek& sample, const std::vector<DilEntry>& entries);

  // The file line, shortened to its label by leaving out middle folders.
  void SetFileName(const QString& fileName);
  // A silence shows its length in milliseconds; a recording its length as
  // text and its DIL entry.
  void SetTicho(bool silence);
  // The length in samples at 14456 Hz.
  void SetSamples(int32_t samples);
  // A recording: the length it was given; a silence: the milliseconds box
  // in samples (rounded to the nearest, ties to even).
  int32_t GetSamples() const;
  // The entries the picker offers.
  void SetDilEntries(const std::vector<DilEntry>& entries);
  // Chooses entry `position` and shows its pattern; a position without an
  // entry shows every switch as not mattering and is kept as it is.
  void SetDilPosition(int32_t position);
  int32_t DilPosition() const { return dilPosition_; }

  QSpinBox* MillisecondsBox() const { return milliseconds_; }
  QComboBox* EntryPicker() const { return picker_; }
  DilSwitchPanel* Switches() const { return switches_; }
  QLabel* FileText() const { return fileText_; }
  QLabel* LengthText() const { return lengthText_; }

 private:
  const IconLibrary& icons_;
  QString silenceWord_;
  std::vector<DilEntry> entries_;
  bool silence_ = false;
  int32_t samples_ = 0;
  int32_t dilPosition_ = 0;

  QLabel* fileText_ = nullptr;
  QLabel* lengthText_ = nullptr;
  QSpinBox* milliseconds_ = nullptr;
  QLabel* unit_ = nullptr;
  QGroupBox* dilGroup_ = nullptr;
  QComboBox* picker_ = nullptr;
  DilSwitchPanel* switches_ = nullptr;
  DialogCaptions captions_;
};

}  // namespace liftvox
