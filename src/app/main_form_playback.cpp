// The play commands of the browser, the workspace and the menus, and the
// auto-play timer.
#include <QTimer>

#include "app/load_progress.h"
#include "app/main_form.h"
#include "app/preview_player.h"
#include "image/played_waveform.h"
#include "ui/memory_status_bar.h"
#include "ui/sample_browser.h"
#include "ui/sequence_workspace.h"

namespace liftvox {

void TMainForm::PlayBrowserFile() { player_->PlayFile(browser_->SelectedWaveFile()); }

// The previews of the configuration play what the announcer will: each
// recording encoded with the chosen encoder and decoded. The best encoder
// takes a while on long recordings, so they show their progress and stop.
void TMainForm::PlayAsAnnounced(
    const char* actionName,
    const std::function<bool(const RecordingFilter&, const JobProgress&)>& play) {
  LoadProgress progress(this, StepName(actionName), DocumentName(), Translate("Stop", "&Zastavit"));
  play(AnnouncerPlayback(session_.CurrentImageSettings().encoder), progress.Callback());
}

void TMainForm::PlaySelectedSample(const char* actionName) {
  const TVzorek* sample = session_.Document().CurrentSample;
  if (!sample || sample->Silence) return;
  PlayAsAnnounced(actionName, [this, file = sample->FileName](const RecordingFilter& filter,
                                                              const JobProgress& progress) {
    return player_->PlayRecording(file, filter, progress);
  });
}

void TMainForm::PlaySelectedSequence(const char* actionName) {
  const TPametRevazie& document = session_.Document();
  if (!document.CurrentSequence) return;
  const int index = document.IndexOf(document.CurrentSequence);
  PlayAsAnnounced(actionName, [&](const RecordingFilter& filter, const JobProgress& progress) {
    return player_->PlaySequence(document, index, SimulatedDilSwitches(), filter, progress);
  });
}

void TMainForm::PlayButton() {
  // Played now (a click, a double click, Enter): the auto-play would repeat it.
  autoPlayTimer_->stop();
  player_->Stop();
  if (browser_->ListHasFocus())
    PlayBrowserFile();
  else if (session_.Document().CurrentSample)
    PlaySelectedSample("Hlaska_PrehratHlasku");
  else
    PlaySelectedSequence("Sekvence_PrehratSekvenci");
}

void TMainForm::StopButton() { player_->Stop(); }

void TMainForm::Hlaska_PrehratHlasku() {
  player_->Stop();
  if (browser_->ListHasFocus()) {
    PlayBrowserFile();
  } else {
    PlaySelectedSample("Hlaska_PrehratHlasku");
  }
}

void TMainForm::Sekvence_PrehratSekvenci() { PlaySelectedSequence("Sekvence_PrehratSekvenci"); }

void TMainForm::Sekvence_PrehratVsechnySekvence() {
  int first = 0;
  for (int i = 0; i < session_.Document().SequenceCount(); ++i) {
    if (session_.Document().SequenceAt(i)->Selected) {
      first = i;
      break;
    }
  }
  PlayAsAnnounced("Sekvence_PrehratVsechnySekvence",
                  [&](const RecordingFilter& filter, const JobProgress& progress) {
                    return player_->PlayAllSequences(session_.Document(), first,
                                                     SimulatedDilSwitches(), filter, progress);
                  });
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
