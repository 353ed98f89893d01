#include "base/parallel_jobs.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>

namespace liftvox {
namespace {

// Job 7 fails late and job 30 early, so the failure to report is not simply
// the first to happen; the watcher is never called off the caller's thread.
TEST(ParallelJobs, EveryJobRunsOnceAndTheLowestFailureWins) {
  std::array<std::atomic<int>, 40> runs{};
  std::atomic<bool> offThread = false;
  std::int64_t lastReport = 0;
  const auto caller = std::this_thread::get_id();
  const auto report = [&](int, std::int64_t done) {
    offThread = offThread || std::this_thread::get_id() != caller;
    lastReport = done;
    return true;
  };
  const auto count = [&](int job, const JobTick& tick) { ++runs[job], tick(2); };
  EXPECT_TRUE(RunParallelJobs(40, 3, count, report));
  for (const auto& job : runs) EXPECT_EQ(job, 1);
  EXPECT_FALSE(offThread);
  EXPECT_LE(lastReport, 80);

  const auto fail = [](int job, const JobTick&) {
    if (job == 7) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (job == 7 || job == 30) throw job;
  };
  try {
    RunParallelJobs(40, 3, fail, report);
    ADD_FAILURE() << "nothing thrown";
  } catch (int job) {
    EXPECT_EQ(job, 7);
  }
}

}  // namespace
}  // namespace liftvox
