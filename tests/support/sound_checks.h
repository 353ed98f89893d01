#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/wave_error.h"

namespace liftvox::test {

// The text of the WaveError that `action` raises, or "no error".
template <typename Action>
std::string ErrorText(Action&& action) {
  try {
    action();
  } catch (const WaveError& error) {
    return error.what();
  }
  return "no error";
}

// Every frame of a file through TFileWaveStream and TPCMWaveReader; the
// samples are the delivered 16-bit values (8-bit files are refused).
struct DecodedWave {
  std::uint16_t channels = 0;
  std::uint32_t rate = 0;
  std::int64_t totalFrames = 0;
  std::vector<std::int16_t> samples;
};
DecodedWave Decode16(const std::filesystem::path& file);
// The same for 8-bit files, samples as delivered.
std::vector<std::uint8_t> Decode8(const std::filesystem::path& file);

// Frequency of a tone from its rising crossings of `middle`.
double ToneFrequency(const std::vector<double>& samples, double rate, double middle);
// Signal-to-noise ratio of `test` against `reference` over their common length.
double SnrDb(const std::vector<double>& reference, const std::vector<double>& test);

template <typename Sample>
std::vector<double> AsDouble(const std::vector<Sample>& samples) {
  return std::vector<double>(samples.begin(), samples.end());
}

}  // namespace liftvox::test
