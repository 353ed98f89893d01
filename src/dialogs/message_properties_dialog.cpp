#include "dialogs/message_properties_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

#include "dialogs/button_row.h"
#include "dialogs/dil_switch_panel.h"
#include "image/played_waveform.h"
#include "lang/caption_names.h"
#include "model/sample.h"
#include "model/translator.h"
#include "ui/browser_listing.h"
#include "ui/dil_entry_delegate.h"
#include "ui/icon_library.h"
#include "ui/plain_text.h"
#include "ui/translated_text.h"
#include "ui/waveform_view.h"
#include "ui/workspace_painter.h"

namespace liftvox {
namespace {

namespace ids = caption_id::message_properties;
namespace sound_ids = caption_id::sound;

constexpr int kFileTextWidth = 320;

}  // namespace

TVlastnostiHlaskyForm::TVlastnostiHlaskyForm(const IconLibrary& icons, QWidget* parent)
    : CaptionedDialog("TVlastnostiHlaskyForm", parent), icons_(icons) {
  captions_.Title(this, ids::kTitle);

  auto* general = captions_.Text(new QGroupBox(this), ids::kGeneralGroup);
  auto* generalGrid = new QGridLayout(general);
  fileText_ = new QLabel(general);
  fileText_->setFixedWidth(kFileTextWidth);
  lengthText_ = new QLabel(general);
  milliseconds_ = new QSpinBox(general);
  milliseconds_->setRange(1, kLongestSilenceMilliseconds);
  unit_ = captions_.Text(new QLabel(general), ids::kSilenceUnit);
  auto* length = new QHBoxLayout;
  length->addWidget(lengthText_);
  length->addWidget(milliseconds_);
  length->addWidget(unit_);
  length->addStretch();
  generalGrid->addWidget(captions_.Text(new QLabel(general), ids::kFileLabel), 0, 0);
  generalGrid->addWidget(fileText_, 0, 1);
  generalGrid->addWidget(captions_.Text(new QLabel(general), ids::kLengthLabel), 1, 0);
  generalGrid->addLayout(length, 1, 1);
  generalGrid->setColumnStretch(1, 1);

  dilGroup_ = captions_.Text(new QGroupBox(this), ids::kDilGroup);
  auto* dilLayout = new QVBoxLayout(dilGroup_);
  picker_ = new QComboBox(dilGroup_);
  picker_->setItemDelegate(new DilEntryDelegate(picker_));
  switches_ = captions_.Text(new DilSwitchPanel(dilGroup_), ids::kSwitchBoxes);
  dilLayout->addWidget(picker_);
  dilLayout->addWidget(switches_);

  soundGroup_ = captions_.Text(new QGroupBox(this), sound_ids::kWaveformGroup);
  auto* soundGrid = new QGridLayout(soundGroup_);
  waveform_ = new WaveformView(soundGroup_);
  peakText_ = new QLabel(soundGroup_);
  playedLength_ = new QLabel(soundGroup_);
  trim_ = captions_.Text(new QCheckBox(soundGroup_), sound_ids::kTrimSilence);
  normalise_ = captions_.Text(new QCheckBox(soundGroup_), sound_ids::kNormalise);
  auto* note = captions_.Text(new QLabel(soundGroup_), sound_ids::kEditsNote);
  note->setWordWrap(true);
  soundGrid->addWidget(waveform_, 0, 0, 1, 4);
  soundGrid->addWidget(captions_.Text(new QLabel(soundGroup_), sound_ids::kPeakLabel), 1, 0);
  soundGrid->addWidget(peakText_, 1, 1);
  soundGrid->addWidget(captions_.Text(new QLabel(soundGroup_), sound_ids::kLengthLabel), 2, 0);
  soundGrid->addWidget(playedLength_, 2, 1);
  soundGrid->addWidget(trim_, 1, 3);
  soundGrid->addWidget(normalise_, 2, 3);
  soundGrid->addWidget(note, 3, 0, 1, 4);
  soundGrid->setColumnStretch(2, 1);

  auto* ok = captions_.Text(new QPushButton(this), ids::kOk);
  auto* cancel = captions_.Text(new QPushButton(this), ids::kCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(general);
  layout->addWidget(dilGroup_);
  layout->addWidget(soundGroup_);
  layout->addStretch();
  layout->addLayout(ButtonRow({ok, cancel}));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(picker_, &QComboBox::activated, this, &TVlastnostiHlaskyForm::SetDilPosition);
  // The boxes only show the entry's pattern: a click is undone at once.
  connect(switches_, &DilSwitchPanel::SwitchClicked, this,
          [this] { SetDilPosition(dilPosition_); });
  TranslateLists(CzechTranslator());
}

void TVlastnostiHlaskyForm::RegisterCaptions(CaptionTable& captions) {
  captions_.RegisterWith(captions);
}

void TVlastnostiHlaskyForm::TranslateLists(const Translator& translator) {
  switches_->SetDoesntMatterText(TranslatedText(translator, "DoesntMatter"));
  silenceWord_ = TranslatedText(translator, "Silence");
}

void TVlastnostiHlaskyForm::ShowSample(const TVzorek& sample,
                                       const std::vector<DilEntry>& entries) {
  SetFileName(sample.Silence ? silenceWord_ : QString::fromStdString(sample.FileName));
  SetTicho(sample.Silence);
  SetSamples(sample.Samples);
  SetDilEntries(entries);
  SetDilPosition(sample.DIL);
  ShowPlayedWaveform(nullptr);
}

void TVlastnostiHlaskyForm::ShowPlayedWaveform(const PlayedWaveform* waveform) {
  trim_->setChecked(false);
  normalise_->setChecked(false);
  soundGroup_->setVisible(waveform != nullptr);
  if (!waveform) {
    waveform_->SetSamples({});
    return;
  }
  waveform_->SetSamples(waveform->samples);
  const QLocale locale;
  peakText_->setText((std::isfinite(waveform->peakDbfs)
                          ? locale.toString(waveform->peakDbfs, 'f', 1)
                          : QStringLiteral("-\u221E")) +
                     QStringLiteral(" dBFS"));
  playedLength_->setText(GetFormatedTime(waveform->Seconds(), locale.decimalPoint()));
}

SoundEdits TVlastnostiHlaskyForm::Edits() const {
  if (silence_ || !soundGroup_->isVisibleTo(this)) return {};
  return {.trimSilence = trim_->isChecked(), .normalise = normalise_->isChecked()};
}

void TVlastnostiHlaskyForm::SetFileName(const QString& fileName) {
  fileText_->setText(ShortenPath(fileName, fileText_->fontMetrics(), kFileTextWidth));
  fileText_->setToolTip(PlainToolTip(fileName));
}

void TVlastnostiHlaskyForm::SetTicho(bool silence) {
  silence_ = silence;
  lengthText_->setVisible(!silence);
  dilGroup_->setVisible(!silence);
  milliseconds_->setVisible(silence);
  unit_->setVisible(silence);
}

void TVlastnostiHlaskyForm::SetSamples(int32_t samples) {
  samples_ = samples;
  milliseconds_->setValue(MillisecondsFromSamples(samples));
  lengthText_->setText(
      GetFormatedTime(static_cast<double>(samples) / kSampleRate, QLocale().decimalPoint()));
}

int32_t TVlastnostiHlaskyForm::GetSamples() const {
  return silence_ ? SamplesFromMilliseconds(milliseconds_->value()) : samples_;
}

void TVlastnostiHlaskyForm::SetDilEntries(const std::vector<DilEntry>& entries) {
  entries_ = entries;
  picker_->clear();
  for (const DilEntry& entry : entries_)
    picker_->addItem(icons_.Icon(entry.Icon), QString::fromStdString(entry.Name));
}

void TVlastnostiHlaskyForm::SetDilPosition(int32_t position) {
  dilPosition_ = position;
  const bool known = position >= 0 && position < static_cast<int32_t>(entries_.size());
  picker_->setCurrentIndex(known ? position : -1);
  switches_->ShowPattern(known ? entries_[static_cast<std::size_t>(position)].Pattern : 0);
}

}  // namespace liftvox
