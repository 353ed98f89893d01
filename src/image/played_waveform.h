#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "audio/preview.h"
#include "base/job_progress.h"
#include "image/encoder_kind.h"

namespace liftvox {

// A recording as the announcer will play it, for a waveform view.
struct PlayedWaveform {
  std::vector<std::uint8_t> samples;  // unsigned 8-bit, 128 = silence, 14456 a second
  double peakDbfs = 0.0;              // the loudest of them (PeakDbfs); -infinity when silent
  double Seconds() const;             // the length
};

// Reads a sample's WAV file as the image builder does (AnnouncerSampleReader)
// and encodes and decodes it with `encoder`: exactly what the announcer plays
// from an image built with that encoder. `progress` hears the fraction done;
// when it returns false the result is nothing. Raises WaveError when the file
// cannot be read or is longer than kLargestRecording.
std::optional<PlayedWaveform> ReadPlayedWaveform(const std::filesystem::path& file,
                                                 EncoderKind encoder,
                                                 const JobProgress& progress = {});

// A preview filter that plays each recording as the announcer will from an
// image built with `encoder`: encoded and decoded (PlayedSamples).
RecordingFilter AnnouncerPlayback(EncoderKind encoder);

}  // namespace liftvox
