#pragma once

#include <array>
#include <cstdint>

namespace liftvox {

// 4-bit ADPCM of the IMA kind, as stored in the announcer's memory. The
// announcer's firmware decodes this bitstream, so every detail below is fixed:
//
// Samples. The input samples are the unsigned 8-bit values themselves (0..255,
// 128 = silence), used directly as the sample value: no scaling, no offset.
//
// State. `previousValue` is the predictor (signed 16-bit) and `stepIndex` the
// index into kAdpcmStepTable (0..88). Both are set to 128 and 0 before the
// first block of each WAV file and carried unchanged from one block of the
// file to the next.
//
// One sample x gives one 4-bit code c:
//   step = kAdpcmStepTable[stepIndex], d = x - previousValue
//   bit 3 of c is set when d < 0; then d = |d|
//   bit 2: d >= step     (then d -= step)
//   bit 1: d >= step / 2 (then d -= step / 2)    -- divisions are shifts
//   bit 0: d >= step / 4
// and both coder and decoder then update the state from c alone:
//   delta = step / 8 + (bit 2 ? step : 0) + (bit 1 ? step / 2 : 0) + (bit 0 ? step / 4 : 0)
//   previousValue = clamp(previousValue -/+ delta, -32768, 32767)  (minus when bit 3)
//   stepIndex = clamp(stepIndex + kAdpcmIndexTable[c], 0, 88)
// The decoder outputs previousValue clamped to 0..255.
//
// Packing. Two codes per byte, the earlier sample in the HIGH nibble. n samples
// take n / 2 bytes for an even n; for an odd n the last byte holds the last
// code in its high nibble and 0 in its low nibble (ceil(n / 2) bytes).
struct AdpcmState {
  std::int16_t previousValue = 128;
  std::uint8_t stepIndex = 0;
};

inline constexpr std::array<std::int16_t, 89> kAdpcmStepTable = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

inline constexpr std::array<std::int8_t, 16> kAdpcmIndexTable = {-1, -1, -1, -1, 2, 4, 6, 8,
                                                                 -1, -1, -1, -1, 2, 4, 6, 8};

// Encodes n samples from `input` into ceil(n / 2) bytes at `output` and
// updates `state`. Nothing is written for n <= 0. A step index beyond the
// table is taken as its last entry.
void adpcm_coder(const std::uint8_t* input, std::uint8_t* output, std::int32_t n,
                 AdpcmState& state);

// Decodes n samples from ceil(n / 2) bytes at `input` into n bytes at
// `output` and updates `state`; the inverse of adpcm_coder.
void adpcm_decoder(const std::uint8_t* input, std::uint8_t* output, std::int32_t n,
                   AdpcmState& state);

}  // namespace liftvox
