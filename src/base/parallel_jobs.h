#pragma once

#include <cstdint>
#include <functional>

namespace liftvox {

// Told by a job how many units of work it finished since it last said;
// false means stop as soon as possible.
using JobTick = std::function<bool(std::int64_t units)>;

// Runs the independent jobs 0 .. count - 1 on up to `threads` threads, the
// caller's own among them; with one thread the caller runs them in order.
// `run(job, tick)` does one job and calls `tick` now and then. `report(job,
// unitsDone)` is called on the caller's thread only: after each tick of a job
// it runs, and about every 50 ms while it waits for the other threads (then
// with the job started last); false stops every job. Returns false when
// stopped. When jobs throw, the exception of the lowest-numbered one is
// rethrown once every thread has ended; jobs numbered above it are stopped
// or never started, those below it run to their end.
bool RunParallelJobs(int count, int threads,
                     const std::function<void(int job, const JobTick& tick)>& run,
                     const std::function<bool(int job, std::int64_t unitsDone)>& report);

}  // namespace liftvox
