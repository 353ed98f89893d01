#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace liftvox {

// Hears how many samples a long encoding has done; false asks it to stop.
using SampleProgress = std::function<bool(std::int64_t samplesDone)>;

// Chooses the 4-bit codes for a whole recording by searching ahead over the
// decoder's states (predictor and step index): a beam of a fixed number of
// distinct states, extended by the codes nearest the standard coder's choice,
// keeps the paths whose decoded output has the least squared error against
// the input; every 1024 samples the best path is committed, having looked 32
// samples further. The stream is adpcm_coder's format from the initial state
// (128, 0) for the unchanged decoder, packed alike into ceil(n / 2) bytes of
// `output`, which must hold them. Deterministic. `progress` hears the samples
// done after every committed stretch; when it returns false the search ends,
// false, with `output` partly written.
bool SearchAdpcmCodes(std::span<const std::uint8_t> input, std::span<std::uint8_t> output,
                      const SampleProgress& progress = {});

}  // namespace liftvox
