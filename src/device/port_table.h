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
  // The port number of `device` (1-based); 0 when it is not in the table.
  int NumberOf(const std::string& device) const;
  // The table with `device` added at the end unless it is in it already.
  PortTable With(const std::string& device) const;
  // What the system says the device is, for a USB adapter its maker and
  // product ("FTDI FT232R USB UART"); empty when it says nothing.
  static std::string Description(const std::string& device);

 private:
  std::vector<std::string> devices_;
};

}  // namespace liftvox
