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

// Little-endian fields and RIFF pieces for hand-made (and hand-broken) files.
std::string Le16(std::uint16_t value);
std::string Le32(std::uint32_t value);
// A chunk with the payload's size and a pad byte when that size is odd.
std::string Chunk(const std::string& id, const std::string& payload);
// A chunk whose header declares `size` whatever the payload is; no pad byte.
std::string ChunkDeclaring(const std::string& id, std::uint32_t size, const std::string& payload);
std::string Riff(const std::string& body, const std::string& formType = "WAVE");
std::string RiffDeclaring(std::uint32_t size, const std::string& body);
// The 16 bytes of a format record without its extra-size word.
std::string FormatRecord(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                         std::uint16_t blockAlign, std::uint16_t bits);
std::string PcmFmtChunk(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits);

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
