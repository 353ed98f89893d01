#include "support/sound_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "audio/pcm_wave_reader.h"
#include "audio/wave_stream.h"

namespace liftvox::test {

DecodedWave Decode16(const std::filesystem::path& file) {
  TFileWaveStream stream(file);
  TPCMWaveReader reader(stream);
  DecodedWave wave{
      reader.PcmFormat().channels, reader.PcmFormat().samplesPerSec, reader.TotalFrames(), {}};
  EXPECT_EQ(reader.PcmFormat().bitsPerSample, 16);
  EXPECT_EQ(reader.PcmFormat().blockAlign, 2 * wave.channels);
  std::vector<std::int16_t> block(512 * std::size_t{wave.channels});
  while (const std::int32_t frames = reader.Read(block.data(), 512)) {
    wave.samples.insert(wave.samples.end(), block.begin(), block.begin() + frames * wave.channels);
  }
  EXPECT_EQ(static_cast<std::int64_t>(wave.samples.size()), wave.totalFrames * wave.channels);
  return wave;
}

std::vector<std::uint8_t> Decode8(const std::filesystem::path& file) {
  TFileWaveStream stream(file);
  TPCMWaveReader reader(stream);
  EXPECT_EQ(reader.PcmFormat().bitsPerSample, 8);
  std::vector<std::uint8_t> samples(static_cast<std::size_t>(reader.TotalFrames()) *
                                    reader.PcmFormat().channels);
  std::size_t done = 0;
  while (const std::int32_t frames = reader.Read(samples.data() + done, 1024)) {
    done += static_cast<std::size_t>(frames) * reader.PcmFormat().channels;
  }
  EXPECT_EQ(done, samples.size());
  return samples;
}

double ToneFrequency(const std::vector<double>& samples, double rate, double middle) {
  std::vector<double> crossings;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    if (samples[i - 1] < middle && samples[i] >= middle) {
      // Interpolated, so the estimate is finer than one sample.
      const double fraction = (middle - samples[i - 1]) / (samples[i] - samples[i - 1]);
      crossings.push_back(static_cast<double>(i - 1) + fraction);
    }
  }
  if (crossings.size() < 2) return 0.0;
  return rate * static_cast<double>(crossings.size() - 1) / (crossings.back() - crossings.front());
}

double SnrDb(const std::vector<double>& reference, const std::vector<double>& test) {
  const std::size_t count = std::min(reference.size(), test.size());
  double signal = 0.0;
  double noise = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    signal += reference[i] * reference[i];
    noise += (reference[i] - test[i]) * (reference[i] - test[i]);
  }
  return 10.0 * std::log10(signal / std::max(noise, 1e-9));
}

}  // namespace liftvox::test
