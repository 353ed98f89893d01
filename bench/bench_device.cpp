#include <benchmark/benchmark.h>

#include <vector>

#include "device/announcer_protocol.h"

// The checksum runs over every byte of a programming run.
static void BM_PageSum(benchmark::State& state) {
  std::vector<uint8_t> page(static_cast<size_t>(state.range(0)), 0xA5);
  for (auto _ : state) {
    benchmark::DoNotOptimize(liftvox::PageSum(page));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_PageSum)->Arg(256)->Arg(1024);
