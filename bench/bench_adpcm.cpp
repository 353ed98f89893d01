#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "audio/announcer_sample_reader.h"
#include "audio/sample_reduction.h"
#include "audio/wave_format.h"
#include "audio/wave_stream.h"
#include "image/adpcm.h"
#include "image/recording_encoder.h"

namespace {

// Samples of an 8 MB image: two 4-bit codes per byte.
constexpr std::int64_t kImageSamples = 8ll * 1024 * 1024 * 2;

// Something speech-like for the coder: a few drifting tones plus noise, so
// the step index keeps moving and no comparison is predictable.
std::vector<std::int16_t> MakeSignal(std::int64_t count) {
  std::mt19937 random(1234);
  std::normal_distribution<double> noise(0.0, 600.0);
  std::vector<std::int16_t> signal(static_cast<std::size_t>(count));
  for (std::int64_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / liftvox::kAnnouncerSampleRate;
    const double envelope = 0.5 + 0.5 * std::sin(2 * M_PI * 3.0 * t);
    const double value = envelope * (6000 * std::sin(2 * M_PI * 180 * t) +
                                     3000 * std::sin(2 * M_PI * 730 * t + 1.0) +
                                     1500 * std::sin(2 * M_PI * 2300 * t)) +
                         noise(random);
    signal[static_cast<std::size_t>(i)] =
        static_cast<std::int16_t>(std::clamp(value, -32768.0, 32767.0));
  }
  return signal;
}

std::vector<std::uint8_t> MakeBytes(std::int64_t count) {
  std::vector<std::uint8_t> bytes;
  for (std::int16_t sample : MakeSignal(count)) bytes.push_back(liftvox::ReduceTo8Bit(sample));
  return bytes;
}

void BM_AdpcmEncode(benchmark::State& state) {
  const std::vector<std::uint8_t> input = MakeBytes(1 << 20);
  std::vector<std::uint8_t> output(input.size() / 2);
  for (auto _ : state) {
    liftvox::AdpcmState coder;
    liftvox::adpcm_coder(input.data(), output.data(), static_cast<std::int32_t>(input.size()),
                         coder);
    benchmark::DoNotOptimize(output.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(input.size()));
}
BENCHMARK(BM_AdpcmEncode);

// A whole recording through either encoder, as the image builder encodes
// one: the standard coder, or the search with its comparison against it.
void BM_EncodeRecording(benchmark::State& state) {
  const auto encoder = static_cast<liftvox::EncoderKind>(state.range(0));
  const std::vector<std::uint8_t> input = MakeBytes(1 << 18);
  std::vector<std::uint8_t> output(input.size() / 2);
  for (auto _ : state) {
    liftvox::EncodeRecording(input, encoder, output);
    benchmark::DoNotOptimize(output.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(input.size()));
}
BENCHMARK(BM_EncodeRecording)->ArgName("best")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_AdpcmDecode(benchmark::State& state) {
  const std::vector<std::uint8_t> samples = MakeBytes(1 << 20);
  std::vector<std::uint8_t> encoded(samples.size() / 2);
  liftvox::AdpcmState coder;
  liftvox::adpcm_coder(samples.data(), encoded.data(), static_cast<std::int32_t>(samples.size()),
                       coder);
  std::vector<std::uint8_t> decoded(samples.size());
  for (auto _ : state) {
    liftvox::AdpcmState decoder;
    liftvox::adpcm_decoder(encoded.data(), decoded.data(),
                           static_cast<std::int32_t>(decoded.size()), decoder);
    benchmark::DoNotOptimize(decoded.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(samples.size()));
}
BENCHMARK(BM_AdpcmDecode);

// A WAV file of a full 8 MB image's worth of samples, removed afterwards.
class ImageSizedWave {
 public:
  explicit ImageSizedWave(int bits) {
    folder_ = std::filesystem::temp_directory_path() /
              ("liftvox-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_);
    path_ = folder_ / "image.wav";
    const std::vector<std::int16_t> signal = MakeSignal(kImageSamples);
    liftvox::TFileWaveStream stream(
        path_,
        liftvox::MakePcmFormat(1, liftvox::kAnnouncerSampleRate, static_cast<std::uint16_t>(bits)));
    if (bits == 16) {
      stream.Write(signal.data(), static_cast<std::int32_t>(signal.size()));
    } else {
      std::vector<std::uint8_t> bytes;
      for (std::int16_t sample : signal) bytes.push_back(liftvox::ReduceTo8Bit(sample));
      stream.Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    }
    stream.Finish();
  }
  ~ImageSizedWave() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  ImageSizedWave(const ImageSizedWave&) = delete;
  ImageSizedWave& operator=(const ImageSizedWave&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
};

// What the image builder does with one sample file: read it as the
// announcer's samples in blocks (16-bit frames reduced to bytes) and encode
// each block straight into the image.
void BM_WaveFileToImage(benchmark::State& state) {
  const int bits = static_cast<int>(state.range(0));
  const ImageSizedWave wave(bits);
  std::vector<std::uint8_t> image(static_cast<std::size_t>(kImageSamples / 2));
  std::int64_t samples = 0;
  for (auto _ : state) {
    liftvox::AnnouncerSampleReader reader(wave.Path());
    liftvox::AdpcmState coder;
    std::size_t offset = 0;
    for (auto block = reader.NextBlock(); !block.empty(); block = reader.NextBlock()) {
      const auto frames = static_cast<std::int32_t>(block.size());
      liftvox::adpcm_coder(block.data(), image.data() + offset, frames, coder);
      offset += static_cast<std::size_t>(frames / 2);
      samples += frames;
    }
    benchmark::DoNotOptimize(image.data());
  }
  state.SetItemsProcessed(samples);
  state.SetBytesProcessed(samples * bits / 8);
}
BENCHMARK(BM_WaveFileToImage)->Arg(16)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
