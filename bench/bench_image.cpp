// Image building and estimating at the sizes installers reach.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "image/image_builder.h"
#include "image/memory_estimate.h"
#include "model/document.h"

namespace {

using namespace liftvox;

std::filesystem::path BenchFolder() {
  auto folder = std::filesystem::temp_directory_path() / "liftvox-bench-image";
  std::filesystem::create_directories(folder);
  return folder;
}

void WriteWav16(const std::filesystem::path& path, int32_t samples, uint32_t seed) {
  auto u16 = [](std::ofstream& out, uint32_t v) { out.put(char(v & 0xFF)).put(char(v >> 8)); };
  auto u32 = [&](std::ofstream& out, uint32_t v) {
    u16(out, v & 0xFFFF);
    u16(out, v >> 16);
  };
  std::ofstream out(path, std::ios::binary);
  const uint32_t bytes = static_cast<uint32_t>(samples) * 2;
  out.write("RIFF", 4);
  u32(out, 36 + bytes);
  out.write("WAVEfmt ", 8);
  u32(out, 16);
  u16(out, 1);
  u16(out, 1);
  u32(out, 14456);
  u32(out, 14456 * 2);
  u16(out, 2);
  u16(out, 16);
  out.write("data", 4);
  u32(out, bytes);
  std::minstd_rand random(seed);
  std::vector<int16_t> data(static_cast<std::size_t>(samples));
  double phase = 0;
  for (auto& sample : data) {
    phase += 0.05 + (random() % 100) * 1e-4;
    sample =
        static_cast<int16_t>(12000 * std::sin(phase) + static_cast<int>(random() % 2000) - 1000);
  }
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(bytes));
}

// 64 recordings of 259000 samples: 16.6 M samples that just fill 8 MB.
void BM_BuildFull8MegabyteImage(benchmark::State& state) {
  const auto folder = BenchFolder();
  constexpr int kFiles = 64;
  constexpr int32_t kSamples = 259000;
  TPametRevazie document;
  document.IconNames = {"CZ.BMP"};
  for (int i = 0; i < kFiles; ++i) {
    const auto file = folder / ("floor" + std::to_string(i) + ".wav");
    if (!std::filesystem::exists(file) ||
        std::filesystem::file_size(file) != 44 + 2 * static_cast<uintmax_t>(kSamples))
      WriteWav16(file, kSamples, static_cast<uint32_t>(i));
    auto sequence = std::make_unique<TSekvence>();
    sequence->Code = i;
    sequence->Floor = true;
    sequence->Repeat = 255;
    TSekvence* added = document.AddSequence(std::move(sequence));
    auto sample = std::make_unique<TVzorek>();
    sample->SetFileName(file.string());
    sample->Samples = kSamples;
    document.AppendSample(added, std::move(sample));
  }
  ImageSettings settings{.memorySizeCode = 7};
  for (auto _ : state) {
    const int32_t used = SestavPamet(document, settings);
    if (used <= 0) state.SkipWithError("the image did not build");
    benchmark::DoNotOptimize(used);
  }
  state.SetItemsProcessed(state.iterations() * int64_t{kFiles} * kSamples);
}
BENCHMARK(BM_BuildFull8MegabyteImage)->Unit(benchmark::kMillisecond)->UseRealTime();

// 256 floors of 20 recordings each, every recording its own file.
void BM_EstimateLargeConfiguration(benchmark::State& state) {
  TPametRevazie document;
  document.IconNames = {"CZ.BMP"};
  for (int i = 0; i < 256; ++i) {
    auto sequence = std::make_unique<TSekvence>();
    sequence->Code = i;
    sequence->Floor = true;
    sequence->Name = std::to_string(i) + ". patro";
    sequence->Repeat = 255;
    TSekvence* added = document.AddSequence(std::move(sequence));
    for (int j = 0; j < 20; ++j) {
      auto sample = std::make_unique<TVzorek>();
      sample->SetFileName("/srv/zvuky/patro" + std::to_string(i) + "/hlaska" + std::to_string(j) +
                          ".wav");
      sample->Samples = 14456;
      document.AppendSample(added, std::move(sample));
    }
  }
  ImageSettings settings{.memorySizeCode = 7, .setupToFlash = state.range(0) != 0};
  MemoryEstimator estimator;  // as the main window keeps one
  for (auto _ : state) benchmark::DoNotOptimize(estimator.OdhadniPamet(document, settings));
}
BENCHMARK(BM_EstimateLargeConfiguration)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
