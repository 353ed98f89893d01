// The encoders' quality and speed on the shipped speech: a printed table of
// the decoded output's SNR against the input, standard against best, per
// language at three levels and on the test signals, and the time each takes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "audio/announcer_sample_reader.h"
#include "config/paths.h"
#include "image/recording_encoder.h"

namespace {

using namespace liftvox;
using Samples = std::vector<std::uint8_t>;

struct Measure {
  double snrDb = 0;
  double seconds = 0;
};

Measure Encode(const Samples& samples, EncoderKind encoder) {
  std::vector<std::uint8_t> codes((samples.size() + 1) / 2);
  // Processor time, so that other work on a shared machine does not count.
  const std::clock_t start = std::clock();
  EncodeRecording(samples, encoder, codes);
  const double took = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  const Samples played = DecodeRecording(codes, samples.size());
  double signal = 0, noise = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    signal += (samples[i] - 128.0) * (samples[i] - 128.0);
    noise += (samples[i] - played[i] + 0.0) * (samples[i] - played[i] + 0.0);
  }
  return {noise > 0 ? 10 * std::log10(signal / noise) : INFINITY, took};
}

Samples Quieter(const Samples& samples, double decibels) {
  Samples quieter;
  const double gain = std::pow(10.0, -decibels / 20);
  for (std::uint8_t sample : samples)
    quieter.push_back(static_cast<std::uint8_t>(std::lround((sample - 128) * gain) + 128));
  return quieter;
}

// One row: the mean SNR of each encoder over the recordings, the mean and
// smallest gain of best over standard, and each encoder's processor time per
// sample in ns.
class Row {
 public:
  void Add(const Samples& samples) {
    const Measure standard = Encode(samples, EncoderKind::Standard);
    const Measure best = Encode(samples, EncoderKind::Best);
    standard_ += standard.snrDb;
    best_ += best.snrDb;
    const double gain = std::isinf(best.snrDb) ? 0.0 : best.snrDb - standard.snrDb;
    gain_ += gain;
    least_ = std::min(least_, gain);
    ++count_;
    samples_ += static_cast<double>(samples.size());
    standardSeconds_ += standard.seconds;
    bestSeconds_ += best.seconds;
  }
  void Print(const std::string& name) const {
    std::printf("%-26s %4d %9.2f %9.2f %+8.2f %+8.2f %10.1f %10.0f\n", name.c_str(), count_,
                standard_ / count_, best_ / count_, gain_ / count_, least_,
                standardSeconds_ / samples_ * 1e9, bestSeconds_ / samples_ * 1e9);
  }
  double MeanGain() const { return gain_ / count_; }
  double LeastGain() const { return least_; }

 private:
  int count_ = 0;
  double standard_ = 0, best_ = 0, gain_ = 0, least_ = INFINITY, samples_ = 0;
  double standardSeconds_ = 0, bestSeconds_ = 0;
};

std::map<std::string, std::vector<Samples>> ShippedSpeech() {
  std::map<std::string, std::vector<Samples>> speech;
  for (const char* language : {"cs", "de", "en"}) {
    const auto folder = ExecutableDirectory() / "Languages" / language;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.path().extension() == ".wav") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files)
      speech[language].push_back(AnnouncerSampleReader(file).ReadRest());
  }
  return speech;
}

std::map<std::string, Samples> TestSignals() {
  Samples step(4001, 128), square(6000), noise(6000);
  std::fill(step.begin() + 2000, step.end(), 200);
  for (std::size_t i = 0; i < square.size(); ++i) square[i] = (i / 40) % 2 ? 255 : 0;
  std::mt19937 random(7);
  for (std::uint8_t& sample : noise) sample = static_cast<std::uint8_t>(random() % 256);
  return {{"silence", Samples(5000, 128)}, {"step", step}, {"square", square}, {"noise", noise}};
}

void BM_EncoderSnrTable(benchmark::State& state) {
  for (auto _ : state) {
    std::printf("\n%-26s %4s %9s %9s %8s %8s %10s %10s\n", "SNR in dB", "n", "standard", "best",
                "gain", "least", "std ns", "best ns");
    Row all;
    for (const auto& [language, recordings] : ShippedSpeech()) {
      for (const double level : {0.0, 12.0, 24.0}) {
        Row row;
        for (const Samples& recording : recordings) {
          row.Add(Quieter(recording, level));
          all.Add(Quieter(recording, level));
        }
        row.Print("speech " + language +
                  (level > 0 ? ", " + std::to_string(static_cast<int>(level)) + " dB down"
                             : ", as shipped"));
      }
    }
    all.Print("speech, all");
    for (const auto& [name, signal] : TestSignals()) {
      Row row;
      row.Add(signal);
      row.Print(name);
    }
    state.counters["mean_gain_dB"] = all.MeanGain();
    state.counters["least_gain_dB"] = all.LeastGain();
  }
}
BENCHMARK(BM_EncoderSnrTable)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
