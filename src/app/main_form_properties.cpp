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
  return sequenceForm_->Open(document_, sequence);
}

void TMainForm::Sekvence_VlastnostiPatra() {
  TSekvence* sequence = document_.GetSelectedSequence();
  if (!sequence) return;
  // One step, also for a floor that lost its input or bit on a cancel.
  Edit(StepName("Sekvence_VlastnostiPatra"), [&] { EditSequenceProperties(*sequence); });
  FlushDocumentChanges();
}

void TMainForm::Sekvence_VlastnostiSpousteniPater() {
  if (!triggeringForm_->Open(document_.ParPlayInv, document_.SerPlayInv)) return;
  Edit(StepName("Sekvence_VlastnostiSpousteniPater"), [this] {
    SetPlayInversion(document_, triggeringForm_->ParallelInverted(),
                     triggeringForm_->SerialInverted());
  });
  FlushDocumentChanges();
}

void TMainForm::Hlaska_VlastnostiHlasky() {
  TVzorek* sample = document_.GetSelectedSample();
  if (!sample) return;
  messageForm_->ShowSample(*sample, document_.DilEntries);
  if (messageForm_->exec() == QDialog::Accepted) {
    Edit(StepName("Hlaska_VlastnostiHlasky"), [&] {
      StoreSampleProperties(document_, *sample, messageForm_->GetSamples(),
                            messageForm_->DilPosition());
    });
  }
  FlushDocumentChanges();
}

void TMainForm::Revazi_NastaveniDilPrepinacu() {
  // Every change in the dialog reaches the document at once.
  Edit(StepName("Revazi_NastaveniDilPrepinacu"), [this] { dilSettingsForm_->Open(document_); });
  FlushDocumentChanges();
}

void TMainForm::Revazi_ZmenaKodovani() {
  if (!codingForm_->Open()) return;
  Edit(StepName("Revazi_ZmenaKodovani"),
       [this] { ApplyFloorCoding(document_, codingForm_->Coding()); });
  FlushDocumentChanges();
}

void TMainForm::Revazi_ZmenPoradiJazyku() {
  if (!languageOrderForm_->Open(document_.DilEntries)) return;
  Edit(StepName("Revazi_ZmenPoradiJazyku"),
       [this] { ApplyLanguageOrder(document_, languageOrderForm_->Order()); });
  FlushDocumentChanges();
}

void TMainForm::Revazi_PridatTichoMeziJazyky() {
  if (!silenceForm_->Open()) return;
  Edit(StepName("Revazi_PridatTichoMeziJazyky"),
       [this] { InsertSilenceBetweenLanguages(document_, silenceForm_->Milliseconds()); });
  FlushDocumentChanges();
}

QDialog* TMainForm::PreparePropertyDialog(const QString& className) {
  if (className == "TVlastnostiSekvenceForm") {
    if (document_.SequenceCount() > 0) {
      TSekvence* sequence = document_.GetSelectedSequence();
      sequenceForm_->SetSequence(document_, sequence ? *sequence : *document_.SequenceAt(0));
      sequenceForm_->FormShow();
    }
    return sequenceForm_;
  }
  if (className == "TVlastnostiSpousteniForm") {
    triggeringForm_->SetFlags(document_.ParPlayInv, document_.SerPlayInv);
    return triggeringForm_;
  }
  if (className == "TVlastnostiHlaskyForm") {
    TVzorek* sample = document_.GetSelectedSample();
    if (!sample) sample = FirstSample(document_);
    if (sample) messageForm_->ShowSample(*sample, document_.DilEntries);
    return messageForm_;
  }
  if (className == "TNastaveniDILForm") {
    dilSettingsForm_->SetDocument(document_);
    return dilSettingsForm_;
  }
  if (className == "TZmenaKodovaniForm") {
    codingForm_->Prekresli();
    return codingForm_;
  }
  if (className == "TPoradiJazykuForm") {
    languageOrderForm_->Fill(document_.DilEntries);
    return languageOrderForm_;
  }
  if (className == "TTichoForm") return silenceForm_;
  return nullptr;
}

}  // namespace liftvox
