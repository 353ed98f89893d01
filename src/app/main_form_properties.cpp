// The property dialogs' commands: sequence, triggering and message
// properties, DIL settings, coding change, language order and silence
// between languages. Each visit that changes the configuration is one undo
// step named after its command.
#include <QAction>

#include "app/main_form.h"
#include "dialogs/coding_change_dialog.h"
#include "dialogs/dil_settings_dialog.h"
#include "dialogs/language_order_dialog.h"
#include "dialogs/message_properties_dialog.h"
#include "dialogs/sequence_properties_dialog.h"
#include "dialogs/silence_dialog.h"
#include "dialogs/triggering_properties_dialog.h"
#include "model/coding.h"
#include "model/language_order.h"
#include "model/property_edits.h"
#include "model/silence_between_languages.h"
#include "ui/sequence_workspace.h"

namespace liftvox {
namespace {

// The configuration's first sample, for a picture with nothing selected.
TVzorek* FirstSample(const TPametRevazie& document) {
  for (const auto& sequence : document.SequenceList)
    if (sequence->SampleCount() > 0) return sequence->SampleAt(0);
  return nullptr;
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

void TMainForm::Hlaska_VlastnostiHlasky() {
  TPametRevazie& document = session_.Document();
  TVzorek* sample = document.GetSelectedSample();
  if (!sample) return;
  messageForm_->ShowSample(*sample, document.DilEntries);
  if (messageForm_->exec() == QDialog::Accepted) {
    session_.Edit(StepName("Hlaska_VlastnostiHlasky"), [&] {
      StoreSampleProperties(document, *sample, messageForm_->GetSamples(),
                            messageForm_->DilPosition());
    });
  }
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
    if (sample) messageForm_->ShowSample(*sample, document.DilEntries);
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
