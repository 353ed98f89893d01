// The document's bulk work: undo snapshots of a full configuration (256
// sequences of 20 samples; target at most 1 ms each way) and loading a
// configuration of 100 000 samples, which once took 40 s because every
// sample re-laid and re-selected the whole document.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "config/configuration_file.h"
#include "config/ini_file.h"
#include "model/document.h"
#include "model/snapshot.h"

namespace {

using liftvox::TPametRevazie;

void FillFullDocument(TPametRevazie& document) {
  auto batch = document.BeginBulkChange();
  for (int i = 0; i < liftvox::kMaxSequences; ++i) {
    auto sequence = std::make_unique<liftvox::TSekvence>();
    sequence->Code = i;
    sequence->Floor = i >= 7;
    sequence->Name = "Patro číslo " + std::to_string(i);
    sequence->Repeat = 255;
    for (int j = 0; j < 20; ++j) {
      auto sample = std::make_unique<liftvox::TVzorek>();
      sample->FileName =
          "/srv/zvuky/patro" + std::to_string(i) + "/hlaska" + std::to_string(j) + ".wav";
      sample->Samples = 14456;
      sample->DIL = j % 3;
      sequence->SampleList.push_back(std::move(sample));
    }
    document.AddSequence(std::move(sequence));
  }
}

void BM_TakeSnapshot(benchmark::State& state) {
  TPametRevazie document;
  FillFullDocument(document);
  for (auto _ : state) benchmark::DoNotOptimize(liftvox::TakeSnapshot(document));
}
BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMicrosecond);

void BM_RestoreSnapshot(benchmark::State& state) {
  TPametRevazie document;
  FillFullDocument(document);
  const liftvox::ConfigurationSnapshot snapshot = liftvox::TakeSnapshot(document);
  for (auto _ : state) liftvox::RestoreSnapshot(document, snapshot);
}
BENCHMARK(BM_RestoreSnapshot)->Unit(benchmark::kMicrosecond);

// range(0) sequence sections sharing range(1) samples, read from text.
void BM_LoadConfiguration(benchmark::State& state) {
  const int sequences = static_cast<int>(state.range(0));
  const int64_t samples = state.range(1);
  liftvox::TTextIniFile written;
  for (int i = 0; i < sequences; ++i) {
    const std::string section = std::to_string(i);
    written.WriteInteger(section, "Code", i);
    for (int j = 0; j < samples / sequences; ++j) {
      const std::string n = std::to_string(j);
      written.WriteString(section, "File" + n, "Zvuky\\hlaska" + n + ".wav");
      written.WriteInteger(section, "DIL" + n, j % 3);
      written.WriteInteger(section, "Samples" + n, 14456);
      written.WriteBool(section, "Silence" + n, false);
    }
  }
  const std::string text = written.Text();
  for (auto _ : state) {
    TPametRevazie document;
    liftvox::ReadConfiguration(document, liftvox::TTextIniFile(text));
    benchmark::DoNotOptimize(document.SequenceCount());
  }
}
// 250 x 400 all load; 1 x 100 000 stops at the sequence's sample limit.
BENCHMARK(BM_LoadConfiguration)
    ->Args({250, 100000})
    ->Args({1, 100000})
    ->Args({250, 50000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
