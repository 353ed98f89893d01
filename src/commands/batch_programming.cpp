#include "commands/batch_programming.h"

#include <exception>
#include <set>

#include "commands/command_error.h"
#include "commands/production_log.h"
#include "device/announcer_session.h"
#include "device/rs232_interface.h"

namespace liftvox {

namespace {

using Clock = std::chrono::steady_clock;

// A device path is port 1 of a table of its own; no path searches the
// system's ports as a single programming run does.
DeviceSettings SettingsFor(const std::string& device) {
  DeviceSettings settings;
  settings.autoMemory = true;
  settings.autoPort = device.empty();
  settings.fixedPort = "COM1";
  return settings;
}

BatchState FinalState(TransferOutcome outcome) {
  if (outcome == TransferOutcome::Completed) return BatchState::Succeeded;
  return outcome == TransferOutcome::Stopped ? BatchState::Stopped : BatchState::Failed;
}

}  // namespace

bool BatchDeviceStatus::Ended() const {
  return state == BatchState::Succeeded || state == BatchState::Failed ||
         state == BatchState::Stopped;
}

// One device's run: its observer and its prompter, which answers from the
// setup and keeps the first warning as the reason of a failure.
class BatchProgramming::Worker final : public Prompter, public DeviceJobObserver {
 public:
  Worker(BatchProgramming& batch, size_t index, std::string device)
      : batch_(batch), index_(index), device_(std::move(device)) {}

  void Run() {
    Update([](BatchDeviceStatus& s) { s.state = BatchState::Detecting; });
    TransferResult result;
    try {
      RS232Interface port(device_.empty() ? PortTable::FromSettingOrSystem("")
                                          : PortTable({device_}));
      AnnouncerSession session(port, SettingsFor(device_), batch_.language_,
                               batch_.setup_.interfaces);
      result = ProgramAnnouncer(session, batch_.program_, *this, *this,
                                ProgramOptions{.verify = batch_.setup_.verify});
    } catch (const std::exception& e) {
      // Nothing may leave a worker; the device fails alone.
      result.outcome = TransferOutcome::Abandoned;
      Warn(Message{"", "", e.what()});
    }
    const BatchDeviceStatus final = Update([&](BatchDeviceStatus& s) {
      s.state = FinalState(result.outcome);
      s.result = result;
    });
    if (ProductionLog* log = batch_.setup_.log) {
      const ProductionRecord record{
          std::chrono::system_clock::now(), final.Where(),       result.announcer,
          batch_.program_.bytesInUse,       batch_.imageSha256_, batch_.setup_.verify,
          ResultWord(result.outcome),       result.errors,       final.elapsed};
      if (!log->Append(record)) batch_.logFailed_.store(true);
    }
    if (--batch_.running_ == 0) batch_.observer_.BatchEnded();
  }

  void PortChanged(const std::string& label) override {
    Update([&](BatchDeviceStatus& s) { s.port = label; });
  }
  void ProgressChanged(int percent, const std::string& text) override {
    Update([&](BatchDeviceStatus& s) {
      s.percent = percent;
      s.progressText = text;
    });
  }
  void ErrorCountChanged(int count) override {
    errors_ = count;
    Update([&](BatchDeviceStatus& s) { s.errors = count; });
  }
  void StatusChanged(StatusPanel, const std::string&) override {}
  bool StopRequested() override { return batch_.stop_.load(); }
  void PhaseChanged(TransferPhase phase) override {
    Update([&](BatchDeviceStatus& s) {
      s.state = phase == TransferPhase::Writing ? BatchState::Writing : BatchState::Verifying;
      s.percent = 0;
      s.progressText.clear();
    });
  }

  void Inform(const Message&) override {}
  void Warn(const Message& message) override {
    Update([&](BatchDeviceStatus& s) {
      if (s.message.empty()) s.message = message.text;
    });
  }
  Answer AskYesNo(const Message& message) override {
    if (message.key == "CommunicationError")
      return errors_ < batch_.setup_.maxFailedAttempts ? Answer::Yes : Answer::No;
    if (message.key == "DifferentInterface" && batch_.setup_.programOtherInterface)
      return Answer::Yes;
    return Answer::No;
  }
  Answer AskYesNoCancel(const Message& message) override { return AskYesNo(message); }

 private:
  // Changes the status under the batch's lock, then tells the observer
  // outside it; returns the copy it told.
  template <typename Change>
  BatchDeviceStatus Update(Change change) {
    std::unique_lock lock(batch_.mutex_);
    BatchDeviceStatus& status = batch_.statuses_[index_];
    change(status);
    status.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_);
    BatchDeviceStatus copy = status;
    lock.unlock();
    batch_.observer_.DeviceChanged(index_, copy);
    return copy;
  }

  BatchProgramming& batch_;
  size_t index_;
  std::string device_;
  const Clock::time_point start_ = Clock::now();
  int errors_ = 0;  // this worker's thread only
};

BatchProgramming::BatchProgramming(std::vector<std::string> devices, BatchSetup setup,
                                   const Translator& language, BatchObserver& observer)
    : setup_(std::move(setup)),
      language_(language),
      observer_(observer),
      program_(setup_.image->ForProgramming()),
      imageSha256_(WrittenPagesSha256(program_)) {
  std::set<std::string> seen;
  for (const auto& device : devices) {
    if (!seen.insert(device).second)
      throw CommandError("the device " + (device.empty() ? "search" : device) + " is named twice");
    statuses_.emplace_back().device = device;
  }
  running_.store(devices.size());
  try {
    for (size_t i = 0; i < devices.size(); ++i) {
      workers_.push_back(std::make_unique<Worker>(*this, i, devices[i]));
      threads_.emplace_back(&Worker::Run, workers_.back().get());
    }
  } catch (...) {
    RequestStop();
    Wait();
    throw;
  }
}

BatchProgramming::~BatchProgramming() {
  RequestStop();
  Wait();
}

std::vector<BatchDeviceStatus> BatchProgramming::Wait() {
  for (auto& thread : threads_) {
    if (thread.joinable()) thread.join();
  }
  return Statuses();
}

std::vector<BatchDeviceStatus> BatchProgramming::Statuses() const {
  std::lock_guard lock(mutex_);
  return statuses_;
}

std::string MinutesAndSeconds(std::chrono::milliseconds duration) {
  const auto seconds = duration.count() / 1000;
  const auto rest = seconds % 60;
  return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

}  // namespace liftvox
