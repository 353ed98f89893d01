#pragma once

#include <cstdint>
#include <string>

namespace liftvox {

class TPametRevazie;
class TSekvence;
class TVzorek;

// The seven general sequences every new configuration starts with, told
// apart by their parallel input.
struct GeneralSequenceKind {
  int32_t pin;
  const char* wizardKey;    // "SekvUp", ...; + "Hint" is the name's key
  const char* defaultName;  // Czech default of the name
  int32_t newCode;          // code given by "new" (outside the 8-bit range)
  uint8_t newRepeat;
};
// In creation order: up, down, doors open, doors close, overload, fire, universal.
extern const GeneralSequenceKind kGeneralSequenceKinds[7];
// The kind whose input is `pin`, or null.
const GeneralSequenceKind* GeneralKindForPin(int32_t pin);

// The default name of floor `floor` (0 = ground floor, negative = basements).
std::string FloorName(const TPametRevazie& document, int floor);

// The model side of the main window's document and editing commands. They
// ask their questions through the document's prompter and tell the view
// through the document; the memory estimate is left to the caller.

// New: asks about unsaved changes (false when cancelled), then the seven
// general sequences and the ground floor; no file name, unmodified.
bool NewConfiguration(TPametRevazie& document);

// Add a sequence where the placement rule puts it: a general one after the
// selected general sequence, else in front of the first floor (at the end
// without floors); a floor after the selected floor, in front of the first
// floor when a general one is selected, else at the end. Null at 256
// sequences (nothing is shown then). The new sequence is selected.
TSekvence* AddGeneralSequence(TPametRevazie& document);
TSekvence* AddFloorSequence(TPametRevazie& document);

// Delete commands: ask, delete on Yes, and mark the document modified
// whatever the answer. True when something was deleted.
bool DeleteSelectedSequence(TPametRevazie& document);
bool DeleteSelectedSample(TPametRevazie& document);

// Adds a silence of `milliseconds` after the selected sample, else at the
// start of the selected sequence, else of the first one. Null without sequences.
TVzorek* AddSilence(TPametRevazie& document, int32_t milliseconds);

// The in-place silence editor closing on `milliseconds`: the value is kept to
// 10..99999 and given to the focused sample (a change marks the document).
// Returns the value kept, which is also the length of the next added silence.
int32_t ApplySilenceLength(TPametRevazie& document, int32_t milliseconds);

// The workspace's keyboard: moves of the selection (Delete runs the delete
// commands). Up and Down move `rows` rows, a page for PgUp and PgDn.
enum class WorkspaceKey { CtrlHome, CtrlEnd, Left, Right, Up, Down, Delete };
void HandleWorkspaceKey(TPametRevazie& document, WorkspaceKey key, int rows = 1);

}  // namespace liftvox
