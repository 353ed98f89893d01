#include "commands/batch_programming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "sim/sim_fixture.h"

namespace liftvox::test {
namespace {

class QuietBatch final : public BatchObserver {
 public:
  void DeviceChanged(size_t, const BatchDeviceStatus&) override {}
};

// A stop asked for while three paced announcers are being written reaches
// every worker: each ends after its current page, none completes.
TEST(BatchProgrammingTest, StopReachesEveryWorker) {
  constexpr int kPages = 64;  // 1.5 s a device at 115200 baud
  std::vector<std::unique_ptr<SimProcess>> sims;
  std::vector<std::string> devices;
  for (int i = 0; i < 3; ++i) {
    sims.push_back(std::make_unique<SimProcess>(std::vector<std::string>{"--pace"}));
    devices.push_back(sims.back()->DevicePath());
  }
  const auto image = std::make_shared<const ImageToProgram>(
      ImageToProgram{MakeImage(65536, 256, kPages, 1, ""), 0, kPages * 256});
  QuietBatch observer;
  CzechTranslator language;
  BatchProgramming batch(devices, {.image = image}, language, observer);
  const auto writing = [](const BatchDeviceStatus& s) { return s.state == BatchState::Writing; };
  for (int i = 0; i < 500; ++i) {
    const auto statuses = batch.Statuses();
    if (std::all_of(statuses.begin(), statuses.end(), writing)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  batch.RequestStop();
  for (const auto& status : batch.Wait()) {
    EXPECT_EQ(status.result.outcome, TransferOutcome::Stopped) << status.device;
    EXPECT_LT(status.result.pagesDone, kPages) << status.device;
  }
}

}  // namespace
}  // namespace liftvox::test
