#pragma once

#include <string>

namespace liftvox {

// The status-bar panels a device job writes to.
enum class StatusPanel { Announcer, Memory, Port };

// What the pages of a programming run are doing: being written, or being read
// back to compare with the image.
enum class TransferPhase { Writing, Verifying };

// What a device job (programming, read-back, firmware upload, port detection,
// hardware properties, memory-size detection) shows while it runs, and how it
// learns of a stop request. Messages and questions go through a Prompter
// instead. Every method is called on the thread that runs the job, so an
// implementation hands display work to its own thread.
class DeviceJobObserver {
 public:
  virtual ~DeviceJobObserver() = default;

  // The port the job uses ("Detekce...", "COM3", ...).
  virtual void PortChanged(const std::string& label) = 0;
  // Percent 0..100 and the text ("2560B / 768000B", "Hotovo", or empty).
  virtual void ProgressChanged(int percent, const std::string& text) = 0;
  // Failed transfer attempts so far in this run.
  virtual void ErrorCountChanged(int count) = 0;
  // A status-bar text: whether the announcer was found, the memory size, the
  // port chosen.
  virtual void StatusChanged(StatusPanel panel, const std::string& text) = 0;
  // Polled between pages, bytes and retries; the job ends as soon as it can
  // leave the announcer in order.
  virtual bool StopRequested() = 0;
  // A programming run's pages start a phase; the progress starts again at 0
  // for each. Other jobs never call it.
  virtual void PhaseChanged(TransferPhase) {}
};

// Shows nothing and never stops: for jobs nobody watches.
class NullDeviceJobObserver final : public DeviceJobObserver {
 public:
  void PortChanged(const std::string&) override {}
  void ProgressChanged(int, const std::string&) override {}
  void ErrorCountChanged(int) override {}
  void StatusChanged(StatusPanel, const std::string&) override {}
  bool StopRequested() override { return false; }
};

}  // namespace liftvox
