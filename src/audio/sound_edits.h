#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace liftvox {

// What may be done to a recording on its way to the announcer's format.
struct SoundEdits {
  bool trimSilence = false;  // cut the quiet ends, keeping a margin (TrimmedRange)
  bool normalise = false;    // bring the peak to kNormalisedPeakDbfs (Normalise)
};

// The peak a normalised recording has: a little below full scale, so that
// rounding to 8 bits never clips.
inline constexpr double kNormalisedPeakDbfs = -1.0;
// Trimming keeps everything from the first to the last sample louder than
// 30 dB below the recording's peak, and never counts anything at or below
// -40 dBFS as sound (the hiss of an 8-bit recording: its smallest step is
// -42 dBFS), with 50 ms of margin at each end.
inline constexpr double kTrimBelowPeakDb = 30.0;
inline constexpr double kTrimFloorDbfs = -40.0;
inline constexpr double kTrimMarginSeconds = 0.05;

// The loudest sample in dB relative to full scale (1.0 for samples of nominal
// range -1..1; 128 away from 128 for unsigned 8-bit samples); -infinity when
// every sample is silent, as in an empty recording.
double PeakDbfs(std::span<const float> samples);
double PeakDbfs(std::span<const std::uint8_t> samples);

// The samples [begin, end) that trimming keeps, at `sampleRate` samples per
// second. The whole recording when no sample is loud enough to count as
// sound (silence, a faint hum): there is nothing to tell the ends by.
struct SampleRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};
SampleRange TrimmedRange(std::span<const float> samples, double sampleRate);

// Scales the samples so that the peak is at kNormalisedPeakDbfs, louder or
// quieter; a silent recording stays as it is.
void Normalise(std::span<float> samples);

}  // namespace liftvox
