#pragma once

#include <cstdint>
#include <memory>

namespace liftvox {

class TPametRevazie;
class TSekvence;
class TVzorek;

// The code a copy of `source` is started by: counting upward from the
// source's own code (a floor) or from 128 (a general sequence), modulo 256,
// the first code no code-triggered sequence uses.
int32_t CopyCodeFor(const TPametRevazie& document, const TSekvence& source);

// A new sequence with the source's name, floor flag and repetition, no pin,
// no bit and CopyCodeFor's code; its samples are not copied.
std::unique_ptr<TSekvence> CopySequenceHead(TPametRevazie& document, const TSekvence& source);

// A copy of a sample: silence flag, file, length and DIL entry.
std::unique_ptr<TVzorek> CopySample(const TVzorek& source);

}  // namespace liftvox
