#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace liftvox::test {

// A canonical PCM WAV file, written byte by byte so image tests do not rely
// on the program's own WAV writer.
inline void WritePcmWav(const std::filesystem::path& path, const std::vector<uint8_t>& data,
                        int bits = 8, int channels = 1, uint32_t rate = 14456) {
  auto u16 = [](uint32_t v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; };
  auto u32 = [&](uint32_t v) { return u16(v & 0xFFFF) + u16(v >> 16); };
  const uint32_t align = static_cast<uint32_t>(channels * bits / 8);
  std::string bytes = "RIFF" + u32(36 + static_cast<uint32_t>(data.size())) + "WAVEfmt " + u32(16) +
                      u16(1) + u16(static_cast<uint32_t>(channels)) + u32(rate) +
                      u32(rate * align) + u16(align) + u16(static_cast<uint32_t>(bits)) + "data" +
                      u32(static_cast<uint32_t>(data.size()));
  bytes.append(data.begin(), data.end());
  if (data.size() % 2) bytes += '\0';
  WriteFile(path, bytes);
}

// n samples of a slow 8-bit ramp: distinct data that encodes to non-silence.
inline std::vector<uint8_t> Ramp(std::size_t n) {
  std::vector<uint8_t> samples(n);
  for (std::size_t i = 0; i < n; ++i) samples[i] = static_cast<uint8_t>(64 + (i % 128));
  return samples;
}

}  // namespace liftvox::test
