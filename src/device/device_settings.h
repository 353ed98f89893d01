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
  std::string fixedPort = "COM1";  // "COM" and one digit
  bool autoMemory = true;
  std::string chosenMemory = "64kB";
  bool setupToFlash = true;
  // Device paths for port numbers 1, 2, ... separated by ':'; empty for the
  // environment variable LIFTVOX_PORTS or the detected devices.
  std::string portList;

  // The numeric value of the last character of the fixed-port entry (only
  // single-digit ports can be chosen); 0 when the entry is empty or odd.
  int FixedPortNumber() const;
  // The index of the chosen size in the size list, which is its memory-size
  // code; 0 (the first entry) for an unknown text.
  int ChosenMemoryCode() const;
  PortTable Ports() const { return PortTable::FromSettingOrSystem(portList); }

  // Persisted values "ComAuto", "Com", "MemAuto", "Mem", "SetupToFlash" and
  // "Ports". A port text that is not among `portEntries` selects the first
  // entry (empty when there is none); so does a size text not in the list.
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
