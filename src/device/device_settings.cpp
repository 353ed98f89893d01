#include "device/device_settings.h"

#include <algorithm>

#include "config/ini_file.h"
#include "device/serial_device.h"
#include "image/memory_size.h"

namespace liftvox {

int DeviceSettings::FixedPortNumber() const {
  // "COM" and digits only: "/dev/pts/3" is no port 3.
  if (fixedPort.size() < 4 || fixedPort.size() > 6 || fixedPort.compare(0, 3, "COM") != 0) return 0;
  if (!std::all_of(fixedPort.begin() + 3, fixedPort.end(),
                   [](char c) { return c >= '0' && c <= '9'; }))
    return 0;
  return std::stoi(fixedPort.substr(3));
}

int DeviceSettings::FixedPortNumberIn(const PortTable& ports) const {
  if (const int number = FixedPortNumber(); number > 0) return number;
  return fixedPort.empty() ? 0 : ports.NumberOf(fixedPort);
}

PortTable DeviceSettings::Ports() const {
  const PortTable listed = ListedPorts();
  return FixedPortNumber() > 0 ? listed : listed.With(fixedPort);
}

int DeviceSettings::ChosenMemoryCode() const {
  const int code = MemorySizeCodeFromText(chosenMemory);
  return code < 0 ? 0 : code;
}

void DeviceSettings::Load(const IniSections& ini, const std::string& section,
                          const std::vector<std::string>& portEntries) {
  autoPort = ini.ReadBool(section, "ComAuto", autoPort);
  // A port absent today (an unplugged adapter, a Bluetooth link not yet up)
  // stays chosen.
  const std::string port = ini.ReadString(section, "Com", "");
  fixedPort = !port.empty() ? port : portEntries.empty() ? std::string() : portEntries.front();
  autoMemory = ini.ReadBool(section, "MemAuto", autoMemory);
  const std::string memory = ini.ReadString(section, "Mem", chosenMemory);
  chosenMemory = MemorySizeCodeFromText(memory) >= 0 ? memory : MemorySizeEntries().front();
  setupToFlash = ini.ReadBool(section, "SetupToFlash", setupToFlash);
  portList = ini.ReadString(section, "Ports", portList);
}

void DeviceSettings::Save(IniSections& ini, const std::string& section) const {
  ini.WriteBool(section, "ComAuto", autoPort);
  ini.WriteString(section, "Com", fixedPort);
  ini.WriteBool(section, "MemAuto", autoMemory);
  ini.WriteString(section, "Mem", chosenMemory);
  ini.WriteBool(section, "SetupToFlash", setupToFlash);
  ini.WriteString(section, "Ports", portList);
}

std::vector<std::string> AvailablePortEntries(const PortTable& ports) {
  std::vector<std::string> entries;
  for (int n = 1; n <= 9; ++n) {
    const std::string path = ports.DevicePath(n);
    if (!path.empty() && SerialDevice::Open(path)) entries.push_back(PortTable::Name(n));
  }
  return entries;
}

std::vector<std::string> MemorySizeEntries() {
  std::vector<std::string> entries;
  for (int code = 0; code < 8; ++code) entries.push_back(MemorySizeText(code));
  return entries;
}

}  // namespace liftvox
