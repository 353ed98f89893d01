// The property dialogs' commands: sequence, triggering and message
// properties, DIL settings, coding change, language order and silence
// between languages. Each visit that changes the configuration is one undo
// step named after its command.
#include <QAction>

#include "app/load_progress.h"
#include "app/main_form.h"
#include "audio/wave_error.h"
#include "commands/recording_copy_commands.h"
#include "config/paths.h"
#include "dialogs/coding_change_dialog.h"
#include "dialogs/dil_settings_dialog.h"
#include "dialogs/language_order_dialog.h"
#include "dialogs/message_properties_dialog.h"
#include "dialogs/sequence_properties_dialog.h"
#include "dialogs/silence_dialog.h"
#include "dialogs/triggering_properties_dialog.h"
#include "image/played_waveform.h"
#include "model/coding.h"
#include "model/language_order.h"
#include "model/property_edits.h"
#include "model/silence_between_languages.h"
#include "ui/sequence_workspace.h"
#include "ui/wave_drop.h"

namespace liftvox {
namespace {

// The configuration's first recording (else its first silence), for a
// picture with nothing selected.
TVzorek* FirstSample(const TPametRevazie& document) {
  TVzorek* first = nullptr;
  for (const auto& sequence : document.SequenceList)
    for (const auto& sample : sequence->SampleList) {
      if (!sample->Silence) return sample.get();
      if (!first) first = sample.get();
    }
  return first;
}

}  // namespace

void TMainForm::ConnectPropertyDialogs() {
  connect(workspace_, &SequenceWorkspace::SequencePropertiesRequested, this,
          &TMainForm::Sekvence_VlastnostiPatra);
  connect(workspace_, &SequenceWorkspace::SamplePropertiesRequested, this,
          &TMainForm::Hlaska_VlastnostiHlasky);
  // The workspace's Ctrl-drop copy runs inside its own undo step, so the
  // copy and what the dialog stores into it are undone together.
  workspace_->confirmSequenceCopy = [this](TSekvence& copy) {
    return EditSequenceProperties(copy);
  };
}

bool TMainForm::EditSequenceProperties(TSekvence& sequence) {
  return sequenceForm_->Open(session_.Document(), sequence);
}

void TMainForm::Sekvence_VlastnostiPatra() {
  TSekvence* sequence = session_.Document().GetSelectedSequence();
  if (!sequence) return;
  // One step, also for a floor that lost its input or bit on a cancel.
  session_.Edit(StepName("Sekvence_VlastnostiPatra"), [&] { EditSequenceProperties(*sequence); });
  session_.FlushChanges();
}

void TMainForm::Sekvence_VlastnostiSpousteniPater() {
  TPametRevazie& document = session_.Document();
  if (!triggeringForm_->Open(document.ParPlayInv, document.SerPlayInv)) return;
  session_.Edit(StepName("Sekvence_VlastnostiSpousteniPater"), [&] {
    SetPlayInversion(document, triggeringForm_->ParallelInverted(),
                     triggeringForm_->SerialInverted());
  });
  session_.FlushChanges();
}

void TMainForm::ShowSampleInMessageForm(const TVzorek& sample) {
  messageForm_->ShowSample(sample, session_.Document().DilEntries);
  if (sample.Silence) return;
  // The best encoder takes a while on a long recording: it may be stopped,
  // and a recording that cannot be read just shows no waveform.
  std::optional<PlayedWaveform> waveform;
  try {
    LoadProgress progress(this, StepName("Hlaska_VlastnostiHlasky"),
                          QString::fromStdString(sample.FileName), Translate("Stop", "&Zastavit"));
    waveform = ReadPlayedWaveform(PathFromUtf8(sample.FileName),
                                  session_.CurrentImageSettings().encoder, progress.Callback());
  } catch (const WaveError&) {
  }
  messageForm_->ShowPlayedWaveform(waveform ? &*waveform : nullptr);
}

void TMainForm::Hlaska_VlastnostiHlasky() {
  TPametRevazie& document = session_.Document();
  TVzorek* sample = document.GetSelectedSample();
  if (!sample) return;
  ShowSampleInMessageForm(*sample);
  if (messageForm_->exec() != QDialog::Accepted) return;
  const QString step = StepName("Hlaska_VlastnostiHlasky");
  const SoundEdits edits = messageForm_->Edits();
  // The edited copy is written before the step, so a failure leaves the
  // configuration as it was, and the copy and the other values are one step.
  std::optional<RecordingCopy> copy;
  if (edits.trimSilence || edits.normalise) {
    LoadProgress progress(this, step, QString::fromStdString(sample->FileName),
                          Translate("Stop", "&Zastavit"));
    copy = CopyRecording(document, PathFromUtf8(sample->FileName), UserDataFolder(), edits,
                         step.toStdString(), progress.Callback());
    if (!copy) return;
  }
  session_.Edit(step, [&] {
    StoreSampleProperties(document, *sample, messageForm_->GetSamples(),
                          messageForm_->DilPosition());
    if (copy)
      StoreSampleRecording(document, *sample, PathToUtf8(copy->file),
                           static_cast<int32_t>(copy->frames));
  });
  session_.FlushChanges();
}

void TMainForm::Revazi_NastaveniDilPrepinacu() {
  // Every change in the dialog reaches the document at once.
  session_.Edit(StepName("Revazi_NastaveniDilPrepinacu"),
                [this] { dilSettingsForm_->Open(session_.Document()); });
  session_.FlushChanges();
}

void TMainForm::Revazi_ZmenaKodovani() {
  if (!codingForm_->Open()) return;
  session_.Edit(StepName("Revazi_ZmenaKodovani"),
                [this] { ApplyFloorCoding(session_.Document(), codingForm_->Coding()); });
  session_.FlushChanges();
}

void TMainForm::Revazi_ZmenPoradiJazyku() {
  if (!languageOrderForm_->Open(session_.Document().DilEntries)) return;
  session_.Edit(StepName("Revazi_ZmenPoradiJazyku"),
                [this] { ApplyLanguageOrder(session_.Document(), languageOrderForm_->Order()); });
  session_.FlushChanges();
}

void TMainForm::Revazi_PridatTichoMeziJazyky() {
  if (!silenceForm_->Open()) return;
  session_.Edit(StepName("Revazi_PridatTichoMeziJazyky"), [this] {
    InsertSilenceBetweenLanguages(session_.Document(), silenceForm_->Milliseconds());
  });
  session_.FlushChanges();
}

QDialog* TMainForm::PreparePropertyDialog(const QString& className) {
  TPametRevazie& document = session_.Document();
  if (className == "TVlastnostiSekvenceForm") {
    if (document.SequenceCount() > 0) {
      TSekvence* sequence = document.GetSelectedSequence();
      sequenceForm_->SetSequence(document, sequence ? *sequence : *document.SequenceAt(0));
      sequenceForm_->FormShow();
    }
    return sequenceForm_;
  }
  if (className == "TVlastnostiSpousteniForm") {
    triggeringForm_->SetFlags(document.ParPlayInv, document.SerPlayInv);
    return triggeringForm_;
  }
  if (className == "TVlastnostiHlaskyForm") {
    TVzorek* sample = document.GetSelectedSample();
    if (!sample) sample = FirstSample(document);
    if (sample) ShowSampleInMessageForm(*sample);
    return messageForm_;
  }
  if (className == "TNastaveniDILForm") {
    dilSettingsForm_->SetDocument(document);
    return dilSettingsForm_;
  }
  if (className == "TZmenaKodovaniForm") {
    codingForm_->Prekresli();
    return codingForm_;
  }
  if (className == "TPoradiJazykuForm") {
    languageOrderForm_->Fill(document.DilEntries);
    return languageOrderForm_;
  }
  if (className == "TTichoForm") return silenceForm_;
  return nullptr;
}

}  // namespace liftvox
