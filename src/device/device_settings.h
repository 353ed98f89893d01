#pragma once

#include <string>
#include <vector>

#include "device/port_table.h"

namespace liftvox {

class IniSections;

// The device-link settings the user edits (port and memory size, automatic or
// chosen, and whether the configuration text goes into the image). The GUI's
// settings dialog edits an instance; the CLI builds one from its options.
struct DeviceSettings {
  bool autoPort = true;
  // "COMn", a port of the table, or a device path the user typed ("/dev/pts/4",
  // "/dev/rfcomm0") that the table may not list.
  std::string fixedPort = "COM1";
  bool autoMemory = true;
  std::string chosenMemory = "64kB";
  bool setupToFlash = true;
  // Device paths for port numbers 1, 2, ... separated by ':'; empty for the
  // environment variable LIFTVOX_PORTS or the detected devices.
  std::string portList;

  // n for a fixed port "COMn"; 0 for a typed path or an empty entry.
  int FixedPortNumber() const;
  // The fixed port's number in `ports` (a typed path by its place there); 0
  // when it has none.
  int FixedPortNumberIn(const PortTable& ports) const;
  // The index of the chosen size in the size list, which is its memory-size
  // code; 0 (the first entry) for an unknown text.
  int ChosenMemoryCode() const;
  // The ports there are: the device list, else the detected devices.
  PortTable ListedPorts() const { return PortTable::FromSettingOrSystem(portList); }
  // The listed ports and a typed fixed path after them, so it has a number.
  PortTable Ports() const;

  // Persisted values "ComAuto", "Com", "MemAuto", "Mem", "SetupToFlash" and
  // "Ports". A stored port is kept even when `portEntries` (the ports open now)
  // lacks it; without one the first entry is taken (empty when there is none).
  // A size text not in the list selects the first size.
  void Load(const IniSections& ini, const std::string& section,
            const std::vector<std::string>& portEntries);
  void Save(IniSections& ini, const std::string& section) const;
};

// The port list the user chooses from: "COM1".."COM9" for each number whose
// device exists and can be opened at this moment.
std::vector<std::string> AvailablePortEntries(const PortTable& ports);

// The size list: "64kB" .. "8MB", index = memory-size code.
std::vector<std::string> MemorySizeEntries();

}  // namespace liftvox
