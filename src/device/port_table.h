#pragma once

#include <string>
#include <vector>

namespace liftvox {

// Maps the port numbers the program speaks of ("COM1".."COM9") to devices:
// number n is the n-th entry. An empty table on Windows means the system's
// own COMn names.
class PortTable {
 public:
  PortTable() = default;
  explicit PortTable(std::vector<std::string> devices) : devices_(std::move(devices)) {}

  // The table from `setting` (device paths separated by ':'), else from the
  // environment variable LIFTVOX_PORTS, else the detected serial devices.
  static PortTable FromSettingOrSystem(const std::string& setting);
  // Device paths from a ':'-separated list; empty items are skipped.
  static PortTable Parse(const std::string& list);
  // The serial devices present, in a stable order: /dev/serial/by-id targets,
  // then ttyUSB*, ttyACM*, and ttyS* with a device behind them.
  static PortTable Detect();

  // The device of port n (1-based); empty when there is none.
  std::string DevicePath(int port) const;
  const std::vector<std::string>& Devices() const { return devices_; }
  // "COM" followed by the number.
  static std::string Name(int port);
  // "COMn (path)" when the path is known, else "COMn".
  std::string Label(int port) const;

 private:
  std::vector<std::string> devices_;
};

}  // namespace liftvox
