#pragma once

#include <cstdint>
#include <filesystem>

namespace liftvox {

// Converts a recording in any format that libsndfile reads (WAV in any coding,
// FLAC, Ogg Vorbis, AIFF, ...) to the announcer's format: mono (the channels
// averaged), resampled to 14456 Hz, 8-bit unsigned PCM WAV. `output` is
// replaced in one step only when the whole result is ready, so a failure
// leaves any earlier `output` as it was; `input` may be `output`. Returns the
// number of samples written. Failures raise WaveError.
std::int64_t ConvertRecording(const std::filesystem::path& input,
                              const std::filesystem::path& output);

// The 8-bit sample nearest to a sample of nominal range -1..1 (clipped).
std::uint8_t FloatTo8Bit(float sample);

}  // namespace liftvox
