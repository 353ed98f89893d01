#include "base/parallel_jobs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace liftvox {
namespace {

class JobPool {
 public:
  JobPool(int count, const std::function<void(int, const JobTick&)>& run,
          const std::function<bool(int, std::int64_t)>& report)
      : count_(count), run_(run), report_(report), failures_(static_cast<std::size_t>(count)) {}

  // Stops and waits for the helpers however the caller leaves, so none
  // outlives what it works on.
  ~JobPool() {
    stopped_ = true;
    for (std::thread& helper : helpers_) helper.join();
  }
  JobPool(const JobPool&) = delete;
  JobPool& operator=(const JobPool&) = delete;

  bool Run(int threads) {
    for (int i = 1; i < std::min(threads, count_); ++i) {
      try {
        {
          const std::lock_guard lock(mutex_);
          ++runningHelpers_;
        }
        helpers_.emplace_back([this] { Work(false); });
      } catch (const std::system_error&) {
        const std::lock_guard lock(mutex_);
        --runningHelpers_;  // fewer threads do the same work
        break;
      }
    }
    Work(true);
    WaitForHelpers();
    for (std::thread& helper : helpers_) helper.join();
    helpers_.clear();
    const int failed = firstFailure_;
    if (failed < count_) std::rethrow_exception(failures_[static_cast<std::size_t>(failed)]);
    return !stopped_;
  }

 private:
  void Work(bool caller) {
    for (int job = next_++; job < count_ && !stopped_ && job < firstFailure_; job = next_++) {
      lastStarted_ = job;
      const JobTick tick = [this, job, caller](std::int64_t units) {
        const std::int64_t done = unitsDone_ += units;
        if (caller && !report_(job, done)) stopped_ = true;
        return !stopped_ && job < firstFailure_;
      };
      try {
        run_(job, tick);
      } catch (...) {
        failures_[static_cast<std::size_t>(job)] = std::current_exception();
        RecordFailure(job);
      }
    }
    if (caller) return;
    const std::lock_guard lock(mutex_);
    --runningHelpers_;
    helpersDone_.notify_one();
  }

  void RecordFailure(int job) {
    int known = firstFailure_;
    while (job < known && !firstFailure_.compare_exchange_weak(known, job)) {
    }
  }

  void WaitForHelpers() {
    std::unique_lock lock(mutex_);
    while (runningHelpers_ > 0) {
      if (helpersDone_.wait_for(lock, std::chrono::milliseconds(50)) != std::cv_status::timeout)
        continue;
      lock.unlock();
      if (!report_(lastStarted_, unitsDone_)) stopped_ = true;
      lock.lock();
    }
  }

  const int count_;
  const std::function<void(int, const JobTick&)>& run_;
  const std::function<bool(int, std::int64_t)>& report_;
  std::vector<std::exception_ptr> failures_;  // each written by the thread that ran its job
  std::vector<std::thread> helpers_;
  std::atomic<int> next_ = 0;
  std::atomic<int> lastStarted_ = 0;
  std::atomic<int> firstFailure_ = std::numeric_limits<int>::max();
  std::atomic<std::int64_t> unitsDone_ = 0;
  std::atomic<bool> stopped_ = false;
  std::mutex mutex_;
  std::condition_variable helpersDone_;
  int runningHelpers_ = 0;  // guarded by mutex_
};

}  // namespace

bool RunParallelJobs(int count, int threads,
                     const std::function<void(int job, const JobTick& tick)>& run,
                     const std::function<bool(int job, std::int64_t unitsDone)>& report) {
  if (count <= 0) return true;
  JobPool pool(count, run, report);
  return pool.Run(std::max(threads, 1));
}

}  // namespace liftvox
