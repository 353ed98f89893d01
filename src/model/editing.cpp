#include "model/editing.h"

#include <algorithm>
#include <memory>

#include "base/message_format.h"
#include "model/document.h"
#include "model/trigger_text.h"

namespace liftvox {

const GeneralSequenceKind kGeneralSequenceKinds[7] = {
    {3, "SekvUp", "Výtah jede nahoru", 4096, 255},
    {4, "SekvDown", "Výtah jede dolů", 4097, 255},
    {5, "SekvOpen", "Dveře se otevírají", 4098, 255},
    {6, "SekvClose", "Dveře se zavírají", 4099, 255},
    {1, "SekvOverload", "Výtah je přetížen", 4100, 10},
    {2, "SekvAlarm", "Požární režim", 4101, 10},
    {7, "SekvUniv", "Univerzální vstup", 4102, 255},
};

const GeneralSequenceKind* GeneralKindForPin(int32_t pin) {
  for (const auto& kind : kGeneralSequenceKinds)
    if (kind.pin == pin) return &kind;
  return nullptr;
}

std::string FloorName(const TPametRevazie& document, int floor) {
  switch (floor) {
    case -3:
      return document.Translate("SekvSubfloor3", "3. suterén");
    case -2:
      return document.Translate("SekvSubfloor2", "2. suterén");
    case -1:
      return document.Translate("SekvSubfloor", "Suterén");
    case 0:
      return document.Translate("SekvGround", "Přízemí");
    default:
      return FormatMessage(document.Translate("SekvFloorNumbered", "%s. patro"),
                           std::to_string(floor));
  }
}

bool NewConfiguration(TPametRevazie& document) {
  auto batch = document.BeginBulkChange();
  if (!document.ClearConfiguration()) return false;
  for (const auto& kind : kGeneralSequenceKinds) {
    auto sequence = std::make_unique<TSekvence>();
    sequence->Pin = kind.pin;
    sequence->Code = kind.newCode;
    sequence->Repeat = kind.newRepeat;
    sequence->Name = document.Translate(std::string(kind.wizardKey) + "Hint", kind.defaultName);
    document.AddSequence(std::move(sequence));
  }
  auto ground = std::make_unique<TSekvence>();
  ground->Floor = true;
  ground->Repeat = 255;
  ground->Name = FloorName(document, 0);
  document.AddSequence(std::move(ground));

  document.SetCurrentFileName("");
  document.SetModified(false);
  int sample = 0, sequence = 0;
  document.SelectAt(sample, sequence);
  return true;
}

namespace {

int FirstFloorIndex(const TPametRevazie& document) {
  for (int i = 0; i < document.SequenceCount(); ++i)
    if (document.SequenceAt(i)->Floor) return i;
  return -1;
}

// Where a new sequence goes: after the selected one when it is of the same
// kind, else at the boundary between general sequences and floors.
int PlacementIndex(const TPametRevazie& document, bool floor) {
  const TSekvence* selected = document.GetSelectedSequence();
  const int firstFloor = FirstFloorIndex(document);
  if (selected && selected->Floor == floor) return document.IndexOf(selected) + 1;
  if (!floor) return firstFloor < 0 ? -1 : firstFloor;
  if (selected) return firstFloor < 0 ? -1 : firstFloor;  // a general one is selected
  return -1;
}

TSekvence* AddSequenceOfKind(TPametRevazie& document, bool floor) {
  if (document.SequenceCount() >= kMaxSequences) return nullptr;
  auto sequence = std::make_unique<TSekvence>();
  sequence->Code = floor ? document.NextFloorCode() : document.NextGeneralCode();
  sequence->Floor = floor;
  sequence->Repeat = 255;
  return document.InsertSequence(std::move(sequence), PlacementIndex(document, floor));
}

}  // namespace

TSekvence* AddGeneralSequence(TPametRevazie& document) {
  return AddSequenceOfKind(document, false);
}

TSekvence* AddFloorSequence(TPametRevazie& document) { return AddSequenceOfKind(document, true); }

bool DeleteSelectedSequence(TPametRevazie& document) {
  TSekvence* sequence = document.GetSelectedSequence();
  if (!sequence) return false;
  const std::string text = FormatMessage(
      document.Translate("SekvDeleteConfirm", "Skutečně chcete smazat sekvenci %s (%s)?"),
      CodeToBinary(sequence->Code), sequence->Name);
  const bool yes = document.prompter().AskYesNo(
                       {"SekvDeleteConfirm", document.Translate("SekvDelete", "Smazání sekvence"),
                        text}) == Answer::Yes;
  if (yes) document.DeleteSequence(sequence);
  document.SetModified(true);
  return yes;
}

bool DeleteSelectedSample(TPametRevazie& document) {
  TVzorek* sample = document.GetSelectedSample();
  bool yes = false;
  if (sample) {
    const std::string text = FormatMessage(
        document.Translate("SampleDeleteConfirm", "Skutečně chcete smazat hlášku %s?"),
        sample->FileName);
    yes = document.prompter().AskYesNo({"SampleDeleteConfirm",
                                        document.Translate("SampleDelete", "Smazání hlášky"),
                                        text}) == Answer::Yes;
    if (yes) document.DeleteSample(sample);
  }
  document.SetModified(true);
  return yes;
}

TVzorek* AddSilence(TPametRevazie& document, int32_t milliseconds) {
  if (document.SequenceCount() == 0) return nullptr;
  auto silence = MakeSilence(document, SamplesFromMilliseconds(milliseconds));
  if (TVzorek* selected = document.GetSelectedSample()) {
    const int sequenceIndex = document.IndexOf(selected->Sequence);
    return document.InsertSample(std::move(silence), sequenceIndex,
                                 selected->Sequence->IndexOf(selected) + 1);
  }
  const TSekvence* sequence = document.GetSelectedSequence();
  return document.InsertSample(std::move(silence), sequence ? document.IndexOf(sequence) : 0, 0);
}

int32_t ApplySilenceLength(TPametRevazie& document, int32_t milliseconds) {
  milliseconds = std::clamp(milliseconds, 10, 99999);
  const int32_t samples = SamplesFromMilliseconds(milliseconds);
  TVzorek* sample = document.CurrentSample;
  if (sample && sample->Samples != samples) {
    sample->Samples = samples;
    document.MarkChanged();
    document.NotifyContentChanged(document.IndexOf(sample->Sequence));
  }
  return milliseconds;
}

void HandleWorkspaceKey(TPametRevazie& document, WorkspaceKey key, int rows) {
  int sample = -1;
  int sequence = document.SelectedSequenceIndex();
  if (const TVzorek* selected = document.GetSelectedSample())
    sample = selected->Sequence->IndexOf(selected);

  switch (key) {
    case WorkspaceKey::CtrlHome:
      sample = 0;
      sequence = 0;
      break;
    case WorkspaceKey::CtrlEnd:
      if (document.SequenceCount() == 0) return;
      sequence = document.SequenceCount() - 1;
      sample = std::max(document.SequenceAt(sequence)->SampleCount() - 1, 0);
      break;
    case WorkspaceKey::Left:
      if (sample < 0) return;
      --sample;
      break;
    case WorkspaceKey::Right:
      ++sample;
      break;
    case WorkspaceKey::Up:
      if (sequence <= 0) return;
      sequence = std::max(sequence - rows, 0);
      break;
    case WorkspaceKey::Down:
      sequence += rows;  // the selection keeps it to the last
      break;
    case WorkspaceKey::Delete:
      if (document.GetSelectedSample())
        DeleteSelectedSample(document);
      else
        DeleteSelectedSequence(document);
      return;
  }
  document.SelectAt(sample, sequence);
}

}  // namespace liftvox
