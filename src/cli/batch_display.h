#pragma once

#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "commands/batch_programming.h"

namespace liftvox::cli {

// How a batch looks on the command line while it runs: one progress line per
// device. On a terminal the lines are redrawn in place; otherwise, with
// several devices, a device's line is printed again when its state changes or
// its progress passes a tenth (one device prints nothing there, as a script
// expects of a single run). Safe to call from every worker at once.
// `columns` tells the terminal's width at each redraw (0: unknown); a line
// longer than that is cut, as a wrapped line would spoil the redrawing.
class BatchDisplay final : public BatchObserver {
 public:
  BatchDisplay(
      std::ostream& out, bool terminal, size_t devices,
      std::function<size_t()> columns = [] { return size_t{0}; });

  void DeviceChanged(size_t index, const BatchDeviceStatus& status) override;

 private:
  void Redraw();

  std::ostream& out_;
  bool terminal_;
  std::function<size_t()> columns_;
  std::mutex mutex_;
  std::vector<std::string> lines_;    // under mutex_
  std::vector<std::string> printed_;  // what a plain line last said of each device
  bool drawn_ = false;
};

// "COM1 (/dev/ttyUSB0)  writing 40%  26112B / 65536B  0 errors  0:12"
std::string ProgressLine(const BatchDeviceStatus& status);

// `line` cut to fewer than `columns` bytes (the cursor keeps the last
// column), never inside a UTF-8 character; whole when `columns` is 0.
std::string FitToColumns(std::string line, size_t columns);

// The table that ends a batch of several devices: port, firmware/hardware
// version, memory size, result, transfer errors, time.
void PrintBatchTable(std::ostream& out, const std::vector<BatchDeviceStatus>& statuses);

}  // namespace liftvox::cli
