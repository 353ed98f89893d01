// The play commands of the browser, the workspace and the menus, and the
// auto-play timer.
#include <QTimer>

#include "app/main_form.h"
#include "app/preview_player.h"
#include "ui/memory_status_bar.h"
#include "ui/sample_browser.h"
#include "ui/sequence_workspace.h"

namespace liftvox {

void TMainForm::PlayBrowserFile() { player_->PlayFile(browser_->SelectedWaveFile()); }

void TMainForm::PlayButton() {
  // Played now (a click, a double click, Enter): the auto-play would repeat it.
  autoPlayTimer_->stop();
  player_->Stop();
  if (browser_->ListHasFocus()) {
    PlayBrowserFile();
  } else if (const TVzorek* sample = session_.Document().CurrentSample) {
    if (!sample->Silence) player_->PlayFile(QString::fromStdString(sample->FileName));
  } else if (session_.Document().CurrentSequence) {
    player_->PlaySequence(session_.Document(),
                          session_.Document().IndexOf(session_.Document().CurrentSequence),
                          SimulatedDilSwitches());
  }
}

void TMainForm::StopButton() { player_->Stop(); }

void TMainForm::Hlaska_PrehratHlasku() {
  player_->Stop();
  if (browser_->ListHasFocus()) {
    PlayBrowserFile();
  } else if (const TVzorek* sample = session_.Document().CurrentSample;
             sample && !sample->Silence) {
    player_->PlayFile(QString::fromStdString(sample->FileName));
  }
}

void TMainForm::Sekvence_PrehratSekvenci() {
  if (!session_.Document().CurrentSequence) return;
  player_->PlaySequence(session_.Document(),
                        session_.Document().IndexOf(session_.Document().CurrentSequence),
                        SimulatedDilSwitches());
}

void TMainForm::Sekvence_PrehratVsechnySekvence() {
  int first = 0;
  for (int i = 0; i < session_.Document().SequenceCount(); ++i) {
    if (session_.Document().SequenceAt(i)->Selected) {
      first = i;
      break;
    }
  }
  player_->PlayAllSequences(session_.Document(), first, SimulatedDilSwitches());
}

void TMainForm::OnWorkspaceSampleChanged() {
  const TVzorek* sample = session_.Document().GetSelectedSample();
  const bool wave = sample && !sample->Silence;
  // A sequence header plays its sequence; a silence plays nothing.
  browser_->SetPlayEnabled(wave ||
                           (!sample && session_.Document().GetSelectedSequence() != nullptr));
  if (wave && autoPlay_)
    autoPlayTimer_->start();
  else
    autoPlayTimer_->stop();
}

void TMainForm::OnBrowserSelectionChanged(bool wave) {
  if (wave && autoPlay_)
    autoPlayTimer_->start();
  else
    autoPlayTimer_->stop();
}

void TMainForm::AutoPlayTimerTimer() {
  if (!autoPlay_) return;
  if (browser_->ListHasFocus()) {
    if (!browser_->SelectedWaveFile().isEmpty()) PlayButton();
    return;
  }
  const TVzorek* sample = session_.Document().GetSelectedSample();
  if (workspace_->hasFocus() && sample && !sample->Silence) PlayButton();
}

}  // namespace liftvox
