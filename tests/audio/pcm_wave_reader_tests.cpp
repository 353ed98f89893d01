#include "audio/pcm_wave_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "audio/wave_error.h"
#include "audio/wave_stream.h"
#include "support/sound_checks.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

std::filesystem::path Data(const std::string& name) { return test::TestDataDir() / "audio" / name; }

TEST(PcmWaveReader, PassesPlainPcmThrough) {
  // 8-bit as it is, unsigned.
  const test::DecodedWave reference = test::Decode16(Data("s16_mono.wav"));
  const std::vector<std::uint8_t> bytes = test::Decode8(Data("u8_mono.wav"));
  ASSERT_EQ(bytes.size(), reference.samples.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    ASSERT_NEAR(bytes[i] - 128, reference.samples[i] / 256.0, 1.0) << i;
  }
  TFileWaveStream stream(Data("u8_mono.wav"));
  TPCMWaveReader reader(stream);
  std::uint8_t untouched = 0x5A;
  EXPECT_EQ(reader.Read(&untouched, 0), 0);
  EXPECT_EQ(reader.Read(&untouched, -5), 0);
  EXPECT_EQ(untouched, 0x5A);
  // Extensible record with PCM inside: read directly, all three channels.
  const test::DecodedWave three = test::Decode16(Data("s16_3ch_extensible.wav"));
  EXPECT_EQ(three.channels, 3);
  ASSERT_EQ(three.totalFrames, reference.totalFrames);
  for (std::size_t i = 0; i < reference.samples.size(); ++i) {
    ASSERT_EQ(three.samples[3 * i + 2], reference.samples[i]) << i;
  }
}

// The same tone in every coding: delivered as 16-bit PCM with the file's own
// channels and rate, and close to the 16-bit original.
TEST(PcmWaveReader, DecodesOtherCodingsTo16Bits) {
  const test::DecodedWave reference = test::Decode16(Data("s16_mono.wav"));
  const struct {
    const char* file;
    std::int64_t frames;  // what the file's own sample count says
    double minimumSnr;    // dB against the 16-bit original; 150 means equal
  } cases[] = {
      {"s24_mono.wav", 2891, 150}, {"s24_extensible.wav", 2891, 150},
      {"s32_mono.wav", 2891, 150}, {"f32_mono.wav", 2891, 150},
      {"ulaw.wav", 2891, 30},      {"alaw.wav", 2891, 30},
      {"ima_adpcm.wav", 4082, 20}, {"ms_adpcm.wav", 2891, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const test::DecodedWave wave = test::Decode16(Data(c.file));
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.rate, 14456u);
    EXPECT_EQ(wave.totalFrames, c.frames);
    EXPECT_GT(test::SnrDb(test::AsDouble(reference.samples), test::AsDouble(wave.samples)),
              c.minimumSnr);
  }
  // GSM 6.10 only keeps the tone, at its own 8000 Hz.
  const test::DecodedWave gsm = test::Decode16(Data("gsm.wav"));
  EXPECT_EQ(gsm.rate, 8000u);
  EXPECT_EQ(gsm.totalFrames, 1600);
  EXPECT_NEAR(test::ToneFrequency(test::AsDouble(gsm.samples), 8000, 0), 1000, 10);
}

// Damaged headers of real files: every outcome is a frame count or a WaveError,
// never a crash or a read beyond the buffers (the sanitizer build checks).
TEST(PcmWaveReader, SurvivesDamagedHeaders) {
  test::TempDir folder;
  std::uint32_t random = 12345;
  const auto next = [&random] { return random = random * 1103515245u + 12345u; };
  for (const char* name : {"s16_mono.wav", "alaw.wav", "ima_adpcm.wav", "ms_adpcm.wav", "gsm.wav",
                           "s16_3ch_extensible.wav", "f32_mono.wav"}) {
    const std::string original = test::ReadFile(Data(name));
    for (int round = 0; round < 150; ++round) {
      std::string bytes = original;
      for (int hits = 1 + round % 4; hits > 0; --hits) {
        bytes[next() % 80] = static_cast<char>(next() >> 8);
      }
      if (round % 5 == 0) bytes.resize(next() % bytes.size());
      test::WriteFile(folder / "damaged.wav", bytes);
      try {
        TFileWaveStream stream(folder / "damaged.wav");
        TPCMWaveReader reader(stream);
        const std::size_t frameBytes = reader.PcmFormat().blockAlign;
        ASSERT_GT(frameBytes, 0u);
        std::vector<std::uint8_t> block(frameBytes * 512 + 1, 0x5A);
        std::int64_t total = 0;
        while (const std::int32_t got = reader.Read(block.data(), 512)) {
          ASSERT_LE(got, 512);
          total += got;
        }
        ASSERT_EQ(block.back(), 0x5A);
        ASSERT_EQ(total, reader.TotalFrames());
      } catch (const WaveError&) {
      }
    }
  }
}

}  // namespace
}  // namespace liftvox
