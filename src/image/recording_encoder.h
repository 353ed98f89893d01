#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/adpcm_search.h"
#include "image/encoder_kind.h"

namespace liftvox {

// Encodes a whole recording (unsigned 8-bit samples) from the initial coder
// state into the ceil(n / 2) bytes of `output`, which must hold them.
// Standard: adpcm_coder, byte for byte. Best: SearchAdpcmCodes, unless the
// standard codes decode with no more squared error, in which case those are
// written: so "best" never plays worse than "standard" and is identical to it
// where standard is already exact (silence). `progress` hears the samples
// done now and then; when it returns false the encoding ends, false, with
// `output` partly written.
bool EncodeRecording(std::span<const std::uint8_t> samples, EncoderKind encoder,
                     std::span<std::uint8_t> output, const SampleProgress& progress = {});

// What the announcer plays for `samples.size()` samples encoded in `codes`:
// adpcm_decoder from the initial state.
std::vector<std::uint8_t> DecodeRecording(std::span<const std::uint8_t> codes, std::size_t samples);

// The recording as the announcer will play it: encoded with `encoder` and
// decoded. Nothing when `progress` said stop.
std::optional<std::vector<std::uint8_t>> PlayedSamples(std::span<const std::uint8_t> samples,
                                                       EncoderKind encoder,
                                                       const SampleProgress& progress = {});

}  // namespace liftvox
