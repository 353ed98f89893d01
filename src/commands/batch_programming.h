#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "commands/image_for_device.h"
#include "device/memory_transfer.h"
#include "lang/interfaces_list.h"

namespace liftvox {

class ProductionLog;
class Translator;

enum class BatchState { Waiting, Detecting, Writing, Verifying, Succeeded, Failed, Stopped };

// One announcer of a batch as its worker last reported it.
struct BatchDeviceStatus {
  std::string device;  // as given; empty: the first of ports 1 to 4 that answers
  std::string port;    // the label of the port in use ("COM1 (/dev/ttyUSB0)")
  BatchState state = BatchState::Waiting;
  int percent = 0;                       // of the current phase (writing, then verifying)
  std::string progressText;              // "2560B / 65536B", "Hotovo" at the end
  int errors = 0;                        // failed page attempts so far
  std::chrono::milliseconds elapsed{0};  // since its worker started; final once ended
  std::string message;                   // the first warning of the run (translated): why it failed
  TransferResult result;                 // complete once ended; result.announcer has the versions

  bool Ended() const;
  // Where the device is, for a table or the log: the path given, else the port.
  const std::string& Where() const { return device.empty() ? port : device; }
};

// What every announcer of a batch gets. Nobody is asked anything during a
// batch, so the run's questions are answered from here.
struct BatchSetup {
  std::shared_ptr<const ImageToProgram> image = {};
  bool verify = false;
  bool programOtherInterface = false;  // the answer to "DifferentInterface"
  // "CommunicationError" is answered Yes while the device has failed fewer
  // page attempts than this.
  int maxFailedAttempts = 25;
  std::vector<InterfaceEntry> interfaces = {};
  ProductionLog* log = nullptr;  // the owner's, or none; a line per device as it ends
};

// Learns what the workers of a batch do. Both methods are called on a
// worker's thread, from several workers at once.
class BatchObserver {
 public:
  virtual ~BatchObserver() = default;
  // Device `index` (its place in the list given) changed; `status` is a copy.
  virtual void DeviceChanged(size_t index, const BatchDeviceStatus& status) = 0;
  // The last worker ended, after its last DeviceChanged.
  virtual void BatchEnded() {}
};

// Programs one image into several announcers at once: one worker thread per
// device, each with its own serial port and AnnouncerSession, so the devices
// never wait for each other and one that fails (not there, refused, broken
// line, verify failure) fails alone. Each runs ProgramAnnouncer with the
// setup's verify; its production log line is appended as it ends.
//
// The translator is called from every worker at once: it must not change
// while the batch runs. The observer must outlive the batch.
class BatchProgramming {
 public:
  // Starts the workers. Throws CommandError when a device is named twice
  // (two workers on one port would garble each other's pages).
  BatchProgramming(std::vector<std::string> devices, BatchSetup setup, const Translator& language,
                   BatchObserver& observer);
  // Asks every worker to stop and waits for them.
  ~BatchProgramming();
  BatchProgramming(const BatchProgramming&) = delete;
  BatchProgramming& operator=(const BatchProgramming&) = delete;

  // Every worker stops after its current page (and sends the end command,
  // as a single run does after a stop). Safe from any thread.
  void RequestStop() { stop_.store(true); }
  // Waits for every worker; the final statuses in the order of the devices.
  std::vector<BatchDeviceStatus> Wait();
  // The statuses now; safe from any thread.
  std::vector<BatchDeviceStatus> Statuses() const;
  // True when a line could not be appended to the log.
  bool LogFailed() const { return logFailed_.load(); }

 private:
  class Worker;

  BatchSetup setup_;
  const Translator& language_;
  BatchObserver& observer_;
  ProgramImage program_;
  std::string imageSha256_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> logFailed_{false};
  std::atomic<size_t> running_{0};
  mutable std::mutex mutex_;
  std::vector<BatchDeviceStatus> statuses_;  // under mutex_
  std::vector<std::unique_ptr<Worker>> workers_;
  std::vector<std::thread> threads_;
};

// A run's time as a batch shows it: "m:ss".
std::string MinutesAndSeconds(std::chrono::milliseconds duration);

}  // namespace liftvox
