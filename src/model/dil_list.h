#pragma once

#include <cstdint>
#include <string_view>

namespace liftvox {

class TPametRevazie;

// Editing the document's DIL entry list. Samples refer to entries by
// position, so every removal or move re-points them; all of these mark the
// document changed and tell the view. Out-of-range positions do nothing.
// Entries renamed in place take their name from CleanDilEntryName.

// Appends an entry named by "NewDILSettings" (icon 0, pattern 0); returns its position.
int AddDilEntry(TPametRevazie& document);
// Samples on entry k fall back to entry 0; those above k move down by one.
void DeleteDilEntry(TPametRevazie& document, int k);
// Moves entry `from` so that it ends at position `to`.
void MoveDilEntry(TPametRevazie& document, int from, int to);

// Change one field of entry k; nothing is marked when the value stays.
void RenameDilEntry(TPametRevazie& document, int k, std::string_view name);
void SetDilEntryIcon(TPametRevazie& document, int k, int32_t icon);
void SetDilEntryPattern(TPametRevazie& document, int k, uint16_t pattern);

}  // namespace liftvox
