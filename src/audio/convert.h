#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "audio/sound_edits.h"
#include "base/job_progress.h"

namespace liftvox {

// Converts a recording in any format that libsndfile reads (WAV in any coding,
// FLAC, Ogg Vorbis, AIFF, ...) to the announcer's format: mono (the channels
// averaged), resampled to 14456 Hz, trimmed and normalised as `edits` ask
// (at full resolution, before the rounding), 8-bit unsigned PCM WAV. `output` is
// replaced in one step only when the whole result is ready, so a failure or a
// stop leaves any earlier `output` as it was; `input` may be `output`.
// `progress` hears the fraction of the input decoded after every block of
// 4096 frames; when it returns false the conversion ends with nothing written.
// Returns the number of samples written, nothing when stopped. Failures raise
// WaveError.
std::optional<std::int64_t> ConvertRecording(const std::filesystem::path& input,
                                             const std::filesystem::path& output,
                                             const JobProgress& progress = {},
                                             const SoundEdits& edits = {});

// The 8-bit sample nearest to a sample of nominal range -1..1 (clipped).
std::uint8_t FloatTo8Bit(float sample);

}  // namespace liftvox
