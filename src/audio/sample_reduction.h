#pragma once

#include <cstdint>

namespace liftvox {

// The 8-bit reduction rule: a signed 16-bit sample s becomes the unsigned byte
// trunc(s / 256.0 + 128.0). The quotient plus 128 is never negative, so the
// truncation is a floor of (s + 32768) / 256, which is the high byte of s with
// its sign bit flipped. No floating point is needed and the results are the
// same for every input.
constexpr std::uint8_t ReduceTo8Bit(std::int16_t sample) {
  return static_cast<std::uint8_t>((static_cast<std::uint16_t>(sample) >> 8) ^ 0x80u);
}

// Reduces `frames` little-endian 16-bit samples at `buffer` to bytes, in place:
// byte i of the result replaces the sample that started at byte 2i.
inline void ReduceBufferTo8Bit(std::uint8_t* buffer, std::int32_t frames) {
  for (std::int32_t i = 0; i < frames; ++i) {
    buffer[i] = static_cast<std::uint8_t>(buffer[2 * i + 1] ^ 0x80u);
  }
}

}  // namespace liftvox
