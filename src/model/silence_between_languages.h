#pragma once

#include <cstdint>

namespace liftvox {

class TPametRevazie;

// Puts a silence of `milliseconds` wherever a sequence changes language: an
// existing silence at the change gets the new length, otherwise a silence is
// inserted before the first sample of the next language. Each silence then
// belongs to the language that follows it. Running it twice only resets the
// lengths. A sequence that is full (kMaxSamplesPerSequence) gets no new
// silences. The document is marked changed.
void InsertSilenceBetweenLanguages(TPametRevazie& document, int32_t milliseconds);

}  // namespace liftvox
