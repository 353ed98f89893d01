#include "audio/sound_edits.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace liftvox {
namespace {

float Peak(std::span<const float> samples) {
  float peak = 0.0f;
  for (float sample : samples) peak = std::max(peak, std::abs(sample));
  return peak;
}

double Decibels(double level) {
  return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}

double Level(double decibels) { return std::pow(10.0, decibels / 20.0); }

}  // namespace

double PeakDbfs(std::span<const float> samples) { return Decibels(Peak(samples)); }

double PeakDbfs(std::span<const std::uint8_t> samples) {
  int peak = 0;
  for (std::uint8_t sample : samples) peak = std::max(peak, std::abs(sample - 128));
  return Decibels(peak / 128.0);
}

SampleRange TrimmedRange(std::span<const float> samples, double sampleRate) {
  const double threshold =
      std::max(Peak(samples) * Level(-kTrimBelowPeakDb), Level(kTrimFloorDbfs));
  const auto loud = [threshold](float sample) { return std::abs(sample) > threshold; };
  const auto first = std::find_if(samples.begin(), samples.end(), loud);
  if (first == samples.end()) return {0, samples.size()};
  const auto last = std::find_if(samples.rbegin(), samples.rend(), loud);
  const auto margin = static_cast<std::size_t>(std::lround(kTrimMarginSeconds * sampleRate));
  const auto begin = static_cast<std::size_t>(first - samples.begin());
  const auto end = static_cast<std::size_t>(samples.rend() - last);
  return {begin > margin ? begin - margin : 0, std::min(end + margin, samples.size())};
}

void Normalise(std::span<float> samples) {
  const float peak = Peak(samples);
  if (peak <= 0.0f) return;
  const auto gain = static_cast<float>(Level(kNormalisedPeakDbfs) / peak);
  for (float& sample : samples) sample *= gain;
}

}  // namespace liftvox
