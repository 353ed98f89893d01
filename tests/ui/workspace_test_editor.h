#pragma once

#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "model/document.h"
#include "model/snapshot.h"
#include "support/test_support.h"
#include "ui/document_editor.h"
#include "ui/sequence_workspace.h"

namespace liftvox::test {

// The main window's part for the workspace: edits become undo steps of
// snapshot pairs, and the document's notifications reach the workspace.
class WorkspaceTestEditor final : public DocumentEditor, public DocumentView {
 public:
  WorkspaceTestEditor() {
    document.SetView(this);
    document.SetPrompter(&prompter);
    document.IconNames = {"CZ.BMP", "DE.BMP", "DIL.BMP", "EN.BMP", "NEUTRAL.BMP"};
  }

  TPametRevazie& Document() override { return document; }
  void Edit(const QString& stepName, const std::function<void()>& change) override {
    ConfigurationSnapshot before = TakeSnapshot(document);
    change();
    if (!before.SameConfiguration(TakeSnapshot(document)))
      steps.push_back({stepName, std::move(before)});
  }
  void Undo() {
    RestoreSnapshot(document, steps.back().before);
    steps.pop_back();
  }

  void ContentChanged(int sequenceIndex) override {
    if (workspace) workspace->OnContentChanged(sequenceIndex);
  }
  void SelectionChanged() override {
    if (workspace) workspace->OnSelectionChanged();
  }

  struct Step {
    QString name;
    ConfigurationSnapshot before;
  };
  TPametRevazie document;
  ScriptedPrompter prompter;
  std::vector<Step> steps;
  SequenceWorkspace* workspace = nullptr;
};

// A sequence with `samples` WAV samples named a0.wav, a1.wav, ...
inline TSekvence* AddTestSequence(TPametRevazie& document, bool floor, int code, int samples) {
  auto sequence = std::make_unique<TSekvence>();
  sequence->Floor = floor;
  sequence->Code = code;
  sequence->Repeat = 255;
  sequence->Name = "S" + std::to_string(code);
  for (int i = 0; i < samples; ++i) {
    auto sample = std::make_unique<TVzorek>();
    sample->SetFileName("/sounds/a" + std::to_string(i) + ".wav");
    sample->Samples = 1000;
    sample->Sequence = sequence.get();
    sequence->SampleList.push_back(std::move(sample));
  }
  return document.AddSequence(std::move(sequence));
}

}  // namespace liftvox::test
