#include "device/port_table.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace liftvox {

namespace fs = std::filesystem;

namespace {

// ttyUSB10 after ttyUSB9: compare the trailing number, not the text.
bool NaturalLess(const std::string& a, const std::string& b) {
  auto split = [](const std::string& s) {
    size_t digits = s.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(s[digits - 1]))) --digits;
    const long number = digits < s.size() ? std::strtol(s.c_str() + digits, nullptr, 10) : -1;
    return std::make_pair(s.substr(0, digits), number);
  };
  return split(a) < split(b);
}

std::vector<std::string> DevicesNamed(const std::string& prefix) {
  std::vector<std::string> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/dev", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size()) {
      found.push_back(name);
    }
  }
  std::sort(found.begin(), found.end(), NaturalLess);
  return found;
}

// Most ttyS* nodes are placeholders of the 8250 driver with no UART behind.
bool HasUartBehind(const std::string& name) {
  std::error_code error;
  const fs::path link = fs::path("/sys/class/tty") / name / "device";
  if (!fs::exists(link, error)) return false;
  const fs::path target = fs::canonical(link, error);
  return !error && target.filename() != "serial8250";
}

}  // namespace

PortTable PortTable::Parse(const std::string& list) {
  std::vector<std::string> devices;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) devices.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return PortTable(std::move(devices));
}

PortTable PortTable::FromSettingOrSystem(const std::string& setting) {
  if (!setting.empty()) return Parse(setting);
  if (const char* env = std::getenv("LIFTVOX_PORTS"); env && *env) return Parse(env);
  return Detect();
}

PortTable PortTable::Detect() {
#ifdef _WIN32
  return PortTable();
#else
  std::vector<std::string> devices;
  auto add = [&devices](const std::string& path) {
    if (std::find(devices.begin(), devices.end(), path) == devices.end()) devices.push_back(path);
  };
  std::error_code error;
  std::vector<fs::path> byId;
  for (const auto& entry : fs::directory_iterator("/dev/serial/by-id", error)) {
    byId.push_back(entry.path());
  }
  std::sort(byId.begin(), byId.end());
  for (const auto& link : byId) {
    const fs::path target = fs::canonical(link, error);
    if (!error) add(target.string());
  }
  for (const auto& name : DevicesNamed("ttyUSB")) add("/dev/" + name);
  for (const auto& name : DevicesNamed("ttyACM")) add("/dev/" + name);
  for (const auto& name : DevicesNamed("ttyS")) {
    if (HasUartBehind(name)) add("/dev/" + name);
  }
  return PortTable(std::move(devices));
#endif
}

std::string PortTable::DevicePath(int port) const {
  if (port >= 1 && port <= static_cast<int>(devices_.size())) {
    return devices_[static_cast<size_t>(port - 1)];
  }
#ifdef _WIN32
  if (devices_.empty() && port >= 1) return "\\\\.\\COM" + std::to_string(port);
#endif
  return {};
}

int PortTable::NumberOf(const std::string& device) const {
  const auto found = std::find(devices_.begin(), devices_.end(), device);
  return found == devices_.end() ? 0 : static_cast<int>(found - devices_.begin()) + 1;
}

PortTable PortTable::With(const std::string& device) const {
  PortTable table = *this;
  if (!device.empty() && NumberOf(device) == 0) table.devices_.push_back(device);
  return table;
}

std::string PortTable::Description(const std::string& device) {
#ifdef _WIN32
  (void)device;
  return {};
#else
  std::error_code error;
  const fs::path target = fs::canonical(device, error);
  if (error) return {};
  // udev's stable names: "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0".
  for (const auto& entry : fs::directory_iterator("/dev/serial/by-id", error)) {
    std::error_code linkError;
    if (fs::canonical(entry.path(), linkError) != target || linkError) continue;
    std::string name = entry.path().filename().string();
    if (name.rfind("usb-", 0) == 0) name.erase(0, 4);
    if (const auto interface = name.rfind("-if"); interface != std::string::npos)
      name.erase(interface);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
  }
  // Else the USB device's own product text, a level or two above the tty.
  fs::path node = fs::canonical(fs::path("/sys/class/tty") / target.filename() / "device", error);
  for (int level = 0; !error && level < 3; ++level, node = node.parent_path()) {
    std::ifstream product(node / "product");
    std::string text;
    if (product && std::getline(product, text) && !text.empty()) return text;
  }
  return {};
#endif
}

std::string PortTable::Name(int port) { return "COM" + std::to_string(port); }

std::string PortTable::Label(int port) const {
  const std::string path = devices_.empty() ? std::string() : DevicePath(port);
  return path.empty() ? Name(port) : Name(port) + " (" + path + ")";
}

}  // namespace liftvox
