// Image building and estimating at the sizes installers reach.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "audio/wave_error.h"
#include "audio/wave_format.h"
#include "audio/wave_stream.h"
#include "image/image_build_job.h"
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

// Files of earlier runs are kept; a missing or broken one is written anew.
bool HoldsFrames(const std::filesystem::path& path, int32_t samples) {
  try {
    return std::filesystem::exists(path) && TFileWaveStream(path).FrameCount() == samples;
  } catch (const WaveError&) {
    return false;
  }
}

void WriteWav16(const std::filesystem::path& path, int32_t samples, uint32_t seed) {
  if (HoldsFrames(path, samples)) return;
  std::minstd_rand random(seed);
  std::vector<int16_t> data(static_cast<std::size_t>(samples));
  double phase = 0;
  for (auto& sample : data) {
    phase += 0.05 + (random() % 100) * 1e-4;
    sample =
        static_cast<int16_t>(12000 * std::sin(phase) + static_cast<int>(random() % 2000) - 1000);
  }
  TFileWaveStream wave(path, MakePcmFormat(1, kAnnouncerSampleRate, 16));
  wave.Write(data.data(), samples);
  wave.Finish();
}

// 64 recordings of 259000 samples: 16.6 M samples that just fill 8 MB.
// A floor sequence with `code`, and a recording appended to one.
TSekvence* AddFloor(TPametRevazie& document, int code) {
  auto sequence = std::make_unique<TSekvence>();
  sequence->Code = code;
  sequence->Floor = true;
  sequence->Name = std::to_string(code) + ". patro";
  sequence->Repeat = 255;
  return document.AddSequence(std::move(sequence));
}

void AppendRecording(TPametRevazie& document, TSekvence* sequence, const std::string& file,
                     int32_t samples) {
  auto sample = std::make_unique<TVzorek>();
  sample->SetFileName(file);
  sample->Samples = samples;
  document.AppendSample(sequence, std::move(sample));
}

void BM_BuildFull8MegabyteImage(benchmark::State& state) {
  const auto folder = BenchFolder();
  constexpr int kFiles = 64;
  constexpr int32_t kSamples = 259000;
  TPametRevazie document;
  document.IconNames = {"CZ.BMP"};
  for (int i = 0; i < kFiles; ++i) {
    const auto file = folder / ("floor" + std::to_string(i) + ".wav");
    WriteWav16(file, kSamples, static_cast<uint32_t>(i));
    AppendRecording(document, AddFloor(document, i), file.string(), kSamples);
  }
  ImageSettings settings{.memorySizeCode = 7,
                         .encoder = state.range(0) ? EncoderKind::Best : EncoderKind::Standard};
  for (auto _ : state) {
    const int32_t used = SestavPamet(document, settings);
    if (used <= 0) state.SkipWithError("the image did not build");
    benchmark::DoNotOptimize(used);
  }
  state.SetItemsProcessed(state.iterations() * int64_t{kFiles} * kSamples);
}
// The best encoder's aim: within 100 times the standard one's time.
BENCHMARK(BM_BuildFull8MegabyteImage)
    ->ArgName("best")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 256 floors of 20 recordings each, every recording its own file.
void BM_EstimateLargeConfiguration(benchmark::State& state) {
  TPametRevazie document;
  document.IconNames = {"CZ.BMP"};
  for (int i = 0; i < 256; ++i) {
    TSekvence* added = AddFloor(document, i);
    for (int j = 0; j < 20; ++j) {
      AppendRecording(
          document, added,
          "/srv/zvuky/patro" + std::to_string(i) + "/hlaska" + std::to_string(j) + ".wav", 14456);
    }
  }
  ImageSettings settings{.memorySizeCode = 7, .setupToFlash = state.range(0) != 0};
  MemoryEstimator estimator;  // as the main window keeps one
  for (auto _ : state) benchmark::DoNotOptimize(estimator.OdhadniPamet(document, settings));
}
BENCHMARK(BM_EstimateLargeConfiguration)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// `sequences` floors of `samples` recordings of 1000 samples each, every
// recording its own file, for an 8 MB memory. The directory's 16-bit offsets
// hold at most 4096 records and terminators: 256 x 14 is the largest such
// configuration with 256 floors (256 x 20 is refused as memory full).
void MakeFloors(TPametRevazie& document, int sequences, int samples) {
  const auto folder = BenchFolder() / "floors";
  std::filesystem::create_directories(folder);
  document.IconNames = {"CZ.BMP"};
  for (int i = 0; i < sequences; ++i) {
    TSekvence* added = AddFloor(document, i);
    for (int j = 0; j < samples; ++j) {
      const auto file = folder / ("floor" + std::to_string(i) + "-" + std::to_string(j) + ".wav");
      if (!std::filesystem::exists(file))
        WriteWav16(file, 1000, static_cast<uint32_t>(i * 100 + j));
      AppendRecording(document, added, file.string(), 1000);
    }
  }
}

// What the desktop program does for a build: a snapshot on its own thread,
// the build of that snapshot on a worker (timed here on one thread).
void BM_ImageBuildJob(benchmark::State& state) {
  TPametRevazie document;
  MakeFloors(document, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const ImageSettings settings{.memorySizeCode = 7};
  for (auto _ : state) {
    const ImageBuildInput input = PrepareImageBuild(document, settings);
    const ImageBuildOutput output = BuildImage(input);
    if (output.result <= 0) state.SkipWithError("the image did not build");
    benchmark::DoNotOptimize(output.image.data());
  }
}
BENCHMARK(BM_ImageBuildJob)->Args({256, 14})->Args({128, 20})->Unit(benchmark::kMillisecond);

// The same build in place, for the cost of the snapshot and its restoring.
void BM_ImageBuildInPlace(benchmark::State& state) {
  TPametRevazie document;
  MakeFloors(document, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const ImageSettings settings{.memorySizeCode = 7};
  for (auto _ : state) {
    if (SestavPamet(document, settings) <= 0) state.SkipWithError("the image did not build");
  }
}
BENCHMARK(BM_ImageBuildInPlace)->Args({256, 14})->Args({128, 20})->Unit(benchmark::kMillisecond);

}  // namespace
