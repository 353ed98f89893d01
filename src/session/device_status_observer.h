#pragma once

#include <functional>
#include <string>

#include "device/device_job_observer.h"

namespace liftvox {

// A device job's status-bar texts, handed to a function (the main window
// queues them to its own thread). Progress and error counts belong to the
// device dialogs, not to the status bar; a job watched this way never stops.
class DeviceStatusObserver final : public DeviceJobObserver {
 public:
  using Show = std::function<void(StatusPanel panel, const std::string& text)>;
  explicit DeviceStatusObserver(Show show) : show_(std::move(show)) {}

  void PortChanged(const std::string&) override {}
  void ProgressChanged(int, const std::string&) override {}
  void ErrorCountChanged(int) override {}
  void StatusChanged(StatusPanel panel, const std::string& text) override { show_(panel, text); }
  bool StopRequested() override { return false; }

 private:
  Show show_;
};

}  // namespace liftvox
