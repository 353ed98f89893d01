#pragma once

#include <QString>

#include <cstdint>
#include <vector>

#include "audio/sound_edits.h"
#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"
#include "model/dil_entry.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;

namespace liftvox {

class DilSwitchPanel;
class IconLibrary;
class TVzorek;
class WaveformView;
struct PlayedWaveform;

// Message properties (`TVlastnostiHlaskyForm`, "Vlastnosti hlášky"): a silence's length in
// milliseconds, or a recording's DIL entry with that entry's switch pattern
// (shown only: patterns are edited in the DIL settings), and for a
// recording its waveform as the announcer plays it with "Trim silence" and
// "Normalise" to ask for an edited copy. The dialog keeps its own values; the
// command stores them into the sample on OK.
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
  // A recording as the announcer plays it: its waveform, peak and length.
  // Null (a silence, a file that cannot be read) hides the group. Unticks
  // both edits.
  void ShowPlayedWaveform(const PlayedWaveform* waveform);
  // The edits ticked; none for a silence.
  SoundEdits Edits() const;

  QSpinBox* MillisecondsBox() const { return milliseconds_; }
  QComboBox* EntryPicker() const { return picker_; }
  DilSwitchPanel* Switches() const { return switches_; }
  QLabel* FileText() const { return fileText_; }
  QLabel* LengthText() const { return lengthText_; }
  WaveformView* Waveform() const { return waveform_; }
  QLabel* PeakText() const { return peakText_; }
  QCheckBox* TrimBox() const { return trim_; }
  QCheckBox* NormaliseBox() const { return normalise_; }

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
  QGroupBox* soundGroup_ = nullptr;
  WaveformView* waveform_ = nullptr;
  QLabel* peakText_ = nullptr;
  QLabel* playedLength_ = nullptr;
  QCheckBox* trim_ = nullptr;
  QCheckBox* normalise_ = nullptr;
  DialogCaptions captions_;
};

}  // namespace liftvox
