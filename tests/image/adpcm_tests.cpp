#include "image/adpcm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/pcm_wave_reader.h"
#include "audio/wave_stream.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& samples) {
  std::vector<std::uint8_t> codes((samples.size() + 1) / 2, 0xAA);
  AdpcmState state;
  adpcm_coder(samples.data(), codes.data(), static_cast<std::int32_t>(samples.size()), state);
  return codes;
}

std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& codes, std::int32_t count) {
  std::vector<std::uint8_t> samples(static_cast<std::size_t>(count));
  AdpcmState state;
  adpcm_decoder(codes.data(), samples.data(), count, state);
  return samples;
}

std::vector<std::uint8_t> Speech() {
  TFileWaveStream stream(test::TestDataDir() / "image" / "speech_u8_14456.wav");
  TPCMWaveReader reader(stream);
  std::vector<std::uint8_t> samples(static_cast<std::size_t>(reader.TotalFrames()));
  EXPECT_EQ(reader.PcmFormat().bitsPerSample, 8);
  EXPECT_EQ(reader.Read(samples.data(), static_cast<std::int32_t>(samples.size())),
            reader.TotalFrames());
  return samples;
}

double SnrDb(const std::vector<std::uint8_t>& original, const std::vector<std::uint8_t>& decoded) {
  double signal = 0, noise = 0;
  for (std::size_t i = 0; i < original.size(); ++i) {
    signal += (original[i] - 128.0) * (original[i] - 128.0);
    noise += (original[i] - decoded[i]) * double(original[i] - decoded[i]);
  }
  return 10 * std::log10(signal / noise);
}

// Worked by hand from the rules in adpcm.h, starting from 128 and index 0:
//   128: d = 0                           -> code 0x0, 128, index 0 (clamped from -1)
//   140: d = 12, step 7:  7+3+1  = 11    -> code 0x7, 139, index 8
//   100: d = -39, step 16: 2+16+8+4 = 30 -> code 0xF, 109, index 16
//   255: d = 146, step 34: 4+34+17+8 = 63 -> code 0x7, 172, index 24
TEST(AdpcmCoder, EncodesKnownSamplesHighNibbleFirst) {
  const std::vector<std::uint8_t> samples = {128, 140, 100, 255};
  AdpcmState state;
  std::uint8_t codes[2];
  adpcm_coder(samples.data(), codes, 4, state);
  EXPECT_EQ(codes[0], 0x07);
  EXPECT_EQ(codes[1], 0xF7);
  EXPECT_EQ(state.previousValue, 172);
  EXPECT_EQ(state.stepIndex, 24);

  // An odd count ends with the last code alone in the high nibble.
  AdpcmState odd;
  std::uint8_t oddCodes[3] = {0xAA, 0xAA, 0xAA};
  adpcm_coder(samples.data(), oddCodes, 3, odd);
  EXPECT_EQ(oddCodes[1], 0xF0);
  EXPECT_EQ(oddCodes[2], 0xAA);  // nothing beyond ceil(n / 2) bytes
  EXPECT_EQ(odd.previousValue, 109);
  EXPECT_EQ(odd.stepIndex, 16);

  EXPECT_EQ(Decode({0x07, 0xF7}, 4), (std::vector<std::uint8_t>{128, 139, 109, 172}));
}

TEST(AdpcmCoder, CarriesItsStateAcrossBlocks) {
  const std::vector<std::uint8_t> speech = Speech();
  const auto n = static_cast<std::int32_t>(speech.size());
  ASSERT_EQ(n % 2, 1);  // so the final block is odd, as the image builder's can be
  const std::vector<std::uint8_t> whole = Encode(speech);

  std::vector<std::uint8_t> blocks(whole.size(), 0);
  AdpcmState state;
  for (std::int32_t start = 0; start < n; start += 1024) {
    const std::int32_t count = std::min(1024, n - start);
    adpcm_coder(speech.data() + start, blocks.data() + start / 2, count, state);
  }
  EXPECT_EQ(blocks, whole);
}

TEST(AdpcmCoder, DecodesSpeechCloseToTheOriginal) {
  const std::vector<std::uint8_t> speech = Speech();
  const std::vector<std::uint8_t> decoded =
      Decode(Encode(speech), static_cast<std::int32_t>(speech.size()));
  // 24.3 dB measured on this recording.
  EXPECT_GT(SnrDb(speech, decoded), 22.0);
}

TEST(AdpcmCoder, StaysInRangeOnHostileInput) {
  // Full-scale square wave: the step index climbs, the output must not wrap.
  std::vector<std::uint8_t> square(4000);
  for (std::size_t i = 0; i < square.size(); ++i) square[i] = (i / 7) % 2 ? 255 : 0;
  const std::vector<std::uint8_t> decoded =
      Decode(Encode(square), static_cast<std::int32_t>(square.size()));
  EXPECT_GT(SnrDb(square, decoded), 15.0);  // 22.2 dB measured

  // Codes no coder of 8-bit sound would make drive the predictor to its limit.
  AdpcmState state;
  std::vector<std::uint8_t> rising(100, 0x77), out(200);
  adpcm_decoder(rising.data(), out.data(), 200, state);
  EXPECT_EQ(state.previousValue, 32767);
  EXPECT_EQ(state.stepIndex, 88);
  EXPECT_EQ(out.back(), 255);

  // A damaged state is taken as the last table entry, not read past it.
  AdpcmState damaged{128, 200};
  std::uint8_t code = 0xAA;
  adpcm_coder(square.data(), &code, 0, damaged);  // nothing to do
  EXPECT_EQ(code, 0xAA);
  adpcm_coder(square.data(), &code, 1, damaged);
  EXPECT_LE(damaged.stepIndex, 88);
}

}  // namespace
}  // namespace liftvox
