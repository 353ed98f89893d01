#include "audio/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "audio/pcm_wave_reader.h"
#include "audio/wave_error.h"
#include "audio/wave_stream.h"
#include "support/sound_checks.h"
#include "support/test_support.h"
#include "support/wave_files.h"

namespace liftvox {
namespace {

std::filesystem::path Data(const std::string& name) { return test::TestDataDir() / "audio" / name; }

// 0.5 s at 44.1 kHz, stereo: a 1 kHz tone on the left, `rightSign` times it on the right.
void WriteStereoTone(const std::filesystem::path& path, int rightSign) {
  TFileWaveStream stream(path, MakePcmFormat(2, 44100, 16));
  std::vector<std::int16_t> frames;
  for (int i = 0; i < 22050; ++i) {
    const auto left =
        static_cast<std::int16_t>(std::lround(16000 * std::sin(2 * M_PI * 1000 * i / 44100.0)));
    frames.push_back(left);
    frames.push_back(static_cast<std::int16_t>(rightSign * left));
  }
  stream.Write(frames.data(), 22050);
}

struct Converted {
  WaveFormat format;
  std::vector<double> samples;
};

Converted ReadConverted(const std::filesystem::path& path) {
  TFileWaveStream stream(path);
  const std::vector<std::uint8_t> bytes = test::Decode8(path);
  return {*stream.FormatPtr(), test::AsDouble(bytes)};
}

double Peak(const std::vector<double>& samples) {
  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::abs(s - 128));
  return peak;
}

TEST(ConvertRecording, ResamplesAndMixesDownToTheAnnouncerFormat) {
  test::TempDir folder;
  WriteStereoTone(folder / "same.wav", 1);
  EXPECT_EQ(ConvertRecording(folder / "same.wav", folder / "same8.wav"), 7228);
  const Converted same = ReadConverted(folder / "same8.wav");
  EXPECT_EQ(same.format, AnnouncerPcmFormat());
  EXPECT_EQ(same.samples.size(), 7228u);  // 0.5 s at 14456 Hz
  EXPECT_NEAR(test::ToneFrequency(same.samples, 14456, 128), 1000, 2);
  EXPECT_NEAR(Peak(same.samples), 16000 / 256.0, 2);

  // The channels are averaged: opposite channels cancel.
  WriteStereoTone(folder / "opposite.wav", -1);
  ConvertRecording(folder / "opposite.wav", folder / "opposite8.wav");
  EXPECT_LE(Peak(ReadConverted(folder / "opposite8.wav").samples), 1);
}

TEST(ConvertRecording, ReadsOtherContainers) {
  test::TempDir folder;
  for (const char* name : {"stereo_44k.flac", "stereo_44k.ogg"}) {
    SCOPED_TRACE(name);
    ConvertRecording(Data(name), folder / "out.wav");
    const Converted out = ReadConverted(folder / "out.wav");
    EXPECT_EQ(out.format, AnnouncerPcmFormat());
    EXPECT_NEAR(static_cast<double>(out.samples.size()), 0.3 * 14456, 3);
    EXPECT_NEAR(test::ToneFrequency(out.samples, 14456, 128), 1000, 2);
  }
}

TEST(ConvertRecording, LeavesAnnouncerFilesAsTheyAre) {
  test::TempDir folder;
  std::filesystem::copy_file(Data("u8_mono.wav"), folder / "a.wav");
  ConvertRecording(folder / "a.wav", folder / "a.wav");  // in place
  EXPECT_EQ(test::Decode8(folder / "a.wav"), test::Decode8(Data("u8_mono.wav")));
}

TEST(ConvertRecording, FailsOrStopsWithoutTouchingTheTarget) {
  test::TempDir folder;
  test::WriteFile(folder / "old.wav", "precious");
  test::WriteFile(folder / "text.wav", "not sound at all");
  const auto message = [&](const std::filesystem::path& input) {
    return test::ErrorText([&] { ConvertRecording(input, folder / "old.wav"); });
  };
  EXPECT_EQ(message(folder / "text.wav"), "Unsupported audio file format.");
  EXPECT_EQ(message(folder / "missing.wav"), "Can't open file stream.");
  std::vector<float> fractions;
  const auto stopAtHalf = [&](const std::string&, float fraction) {
    fractions.push_back(fraction);
    return fraction < 0.5f;
  };
  EXPECT_FALSE(ConvertRecording(Data("stereo_44k.flac"), folder / "old.wav", stopAtHalf));
  EXPECT_EQ(fractions.size(), 2u) << "13230 frames in blocks of 4096";
  EXPECT_EQ(test::ReadFile(folder / "old.wav"), "precious");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);

  EXPECT_EQ(ConvertRecording(Data("stereo_44k.flac"), folder / "new.wav",
                             [&](auto&, float f) {
                               fractions.push_back(f);
                               return true;
                             }),
            ConvertRecording(Data("stereo_44k.flac"), folder / "new.wav"));
  EXPECT_FLOAT_EQ(fractions.back(), 1.0f);
}

TEST(ConvertRecording, RefusesWhatWouldGrowBeyondAnyUse) {
  test::TempDir folder;
  const auto message = [&](const std::filesystem::path& input) {
    return test::ErrorText([&] { ConvertRecording(input, folder / "out.wav"); });
  };
  // A header that claims 1 Hz would make 14456 samples of every one.
  test::WritePcmWav(folder / "999hz.wav", std::vector<std::uint8_t>(100, 128), 8, 1, 999);
  EXPECT_EQ(message(folder / "999hz.wav"), "The sample rate of 999 Hz is too low.");
  test::WritePcmWav(folder / "1000hz.wav", std::vector<std::uint8_t>(1000, 128), 8, 1, 1000);
  EXPECT_NEAR(static_cast<double>(*ConvertRecording(folder / "1000hz.wav", folder / "out.wav")),
              14456, 20);
  // 1 200 000 samples at 1000 Hz: 17.3 million at 14456 Hz, more than 8 MB hold.
  test::WritePcmWav(folder / "long.wav", std::vector<std::uint8_t>(1200000, 128), 8, 1, 1000);
  EXPECT_EQ(message(folder / "long.wav"),
            "The recording is longer than the largest announcer memory holds.");
  if (test::MakeFifo(folder / "pipe.wav")) {
    EXPECT_EQ(message(folder / "pipe.wav"), "Not a regular file.");
  }
}

TEST(ConvertRecording, RoundsAndClipsSamples) {
  EXPECT_EQ(FloatTo8Bit(0.0f), 128);
  EXPECT_EQ(FloatTo8Bit(-1.0f), 0);
  EXPECT_EQ(FloatTo8Bit(1.0f), 255);
  EXPECT_EQ(FloatTo8Bit(-7.0f), 0);
  EXPECT_EQ(FloatTo8Bit(3.0f / 256), 130);   // halves round up: +1.5 steps to +2
  EXPECT_EQ(FloatTo8Bit(-3.0f / 256), 127);  // and -1.5 steps to -1
  EXPECT_EQ(FloatTo8Bit(std::numeric_limits<float>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace liftvox
