#include "image/adpcm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "image/recording_encoder.h"

#include "support/sound_checks.h"
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

std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t hash = 14695981039346656037u;
  for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 1099511628211u;
  return hash;
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

// Real speech takes paths that a handful of samples never do. The pinned
// encoding was worked out apart from this coder, from the rules in adpcm.h.
TEST(AdpcmCoder, EncodesSpeechAsPinnedAndDecodesItCloseToTheOriginal) {
  // "Third floor. Doors opening. Going up.", spoken.
  const auto speech = test::Decode8(test::TestDataDir() / "image" / "speech_u8_14456.wav");
  ASSERT_EQ(speech.size(), 48091u);
  const std::vector<std::uint8_t> codes = Encode(speech);
  ASSERT_EQ(codes.size(), 24046u);
  EXPECT_EQ(std::vector<std::uint8_t>(codes.begin() + 4000, codes.begin() + 4008),
            (std::vector<std::uint8_t>{0x32, 0x35, 0x21, 0xB9, 0xAA, 0xCB, 0xB9, 0x91}));
  EXPECT_EQ(Fnv1a(codes), 8010405573525705854u);

  const auto centred = [](const std::vector<std::uint8_t>& samples) {
    std::vector<double> values;
    for (std::uint8_t sample : samples) values.push_back(sample - 128.0);
    return values;
  };
  const auto decoded = Decode(codes, static_cast<std::int32_t>(speech.size()));
  EXPECT_GT(test::SnrDb(centred(speech), centred(decoded)), 22.0);  // 24.3 dB measured
}

// Full-swing sound climbs the step table as high as 8-bit input can reach
// (about 300), where a wrong entry would play wrong on the announcer, whose
// decoder has the standard tables built in. Pinned from the standard tables.
TEST(AdpcmCoder, EncodesFullSwingSoundAsPinned) {
  // Noise whose loudness swells and fades walks the step index up and down.
  std::vector<std::uint8_t> noise;
  std::uint32_t seed = 1;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int loudness = 1 + (i / 40) % 256;
    noise.push_back(
        static_cast<std::uint8_t>(128 + static_cast<int>(seed >> 16) % loudness - loudness / 2));
  }
  EXPECT_EQ(Fnv1a(Encode(noise)), 11131429545766415771u);
}

TEST(AdpcmCoder, StaysInRangeOnHostileInput) {
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
  const std::uint8_t sample = 0;
  adpcm_coder(&sample, &code, 0, damaged);  // nothing to do
  EXPECT_EQ(code, 0xAA);
  adpcm_coder(&sample, &code, 1, damaged);
  EXPECT_LE(damaged.stepIndex, 88);
}

// Each signal trips the standard coder its own way: speech everywhere, a step
// and a square wave by the step size lagging behind, noise by every choice
// being a guess; silence it codes exactly, so "best" must leave it alone.
TEST(RecordingEncoder, BestDecodesCloserThanStandardOnEverySignal) {
  const auto speech = test::Decode8(test::TestDataDir() / "image" / "speech_u8_14456.wav");
  std::vector<std::uint8_t> silence(5000, 128), step(4001, 128), square(6000), noise(6000);
  std::fill(step.begin() + 2000, step.end(), 200);
  for (std::size_t i = 0; i < square.size(); ++i) square[i] = (i / 40) % 2 ? 255 : 0;
  std::mt19937 random(7);
  for (std::uint8_t& sample : noise) sample = static_cast<std::uint8_t>(random() % 256);
  const struct {
    const char* name;
    const std::vector<std::uint8_t>& samples;
    double gainDb;  // at least; about half of what was measured
  } cases[] = {{"speech", speech, 1.0},
               {"step", step, 3.0},
               {"square", square, 15.0},
               {"noise", noise, 1.0},
               {"silence", silence, 0.0}};
  const auto snr = [](const std::vector<std::uint8_t>& samples,
                      const std::vector<std::uint8_t>& codes) {
    const auto played = Decode(codes, static_cast<std::int32_t>(samples.size()));
    return test::SnrDb(test::AsDouble(samples), test::AsDouble(played));
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::uint8_t> standard = Encode(c.samples);
    std::vector<std::uint8_t> best(standard.size(), 0xAA);
    ASSERT_TRUE(EncodeRecording(c.samples, EncoderKind::Best, best));
    if (c.samples.size() % 2) {
      EXPECT_EQ(best.back() & 0x0F, 0) << "the last code stands alone";
    }
    if (c.gainDb == 0.0) {
      EXPECT_EQ(best, standard);
      continue;
    }
    EXPECT_GE(snr(c.samples, best) - snr(c.samples, standard), c.gainDb);
  }
}

// The standard coder in stretches must be the coder in one go: 3 x 48091
// samples cross two stretches and end on an odd sample.
TEST(RecordingEncoder, StandardIsTheCoderByteForByteAndBestStopsWhenTold) {
  const auto speech = test::Decode8(test::TestDataDir() / "image" / "speech_u8_14456.wav");
  std::vector<std::uint8_t> thrice;
  for (int i = 0; i < 3; ++i) thrice.insert(thrice.end(), speech.begin(), speech.end());
  std::vector<std::uint8_t> codes((thrice.size() + 1) / 2);
  ASSERT_TRUE(EncodeRecording(thrice, EncoderKind::Standard, codes));
  EXPECT_EQ(codes, Encode(thrice));
  EXPECT_FALSE(
      EncodeRecording(speech, EncoderKind::Best, codes, [](std::int64_t) { return false; }));
}

}  // namespace
}  // namespace liftvox
