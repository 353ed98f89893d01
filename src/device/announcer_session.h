#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/announcer_protocol.h"
#include "device/device_settings.h"
#include "device/serial_port.h"
#include "lang/interfaces_list.h"
#include "model/prompter.h"

namespace liftvox {

class Translator;

// Status-bar panels the device code writes to (0 announcer, 2 memory, 3 port).
using StatusSink = std::function<void(int panel, const std::string& text)>;

// The program's link to the announcer: the one serial port, the settings it
// is chosen by, the translation, the interface list and the memory-size code
// (-1 until known). One device job uses it at a time; the memory-size code
// may be read from any thread.
class AnnouncerSession {
 public:
  AnnouncerSession(SerialPort& port, const DeviceSettings& settings, const Translator& language,
                   std::vector<InterfaceEntry> interfaces = {});

  SerialPort& Port() { return port_; }
  const DeviceSettings& Settings() const { return settings_; }
  const Translator& Language() const { return language_; }
  std::string Translate(const std::string& key, const std::string& czechDefault) const;
  void SetStatusSink(StatusSink sink) { status_ = std::move(sink); }

  int MemorySizeCode() const { return memorySizeCode_.load(); }
  void SetMemorySizeCode(int code) { memorySizeCode_.store(code); }

  // The port for the next operation: the first answering port when automatic
  // detection is on and one answers, else the fixed port's number (0 when no
  // port is chosen). Shows " Port: COMn" on panel 3 for each decision.
  int SelectPort();
  // Selects the port, sets it up and asks for the information record.
  std::optional<AnnouncerInfo> QueryAnnouncerInfo();
  // Bytes of the announcer's memory (0 without a valid answer); a valid
  // answer also sets the memory-size code.
  int64_t GetMemorySizeFromAnnouncer();
  // The active interface; -1 for firmware before 2.7 or an answer without
  // one, 0 without a valid answer.
  int GetInterfaceFromAnnouncer();
  // False, leaving the outputs alone, without a valid answer.
  bool GetFirmwareVersion(int& major, int& minor);
  // Memory size by detection (automatic and answered) or the chosen size;
  // sets the memory-size code and the status panels 0 and 2.
  int64_t DetectMemorySize();
  // Page size for the current code; detects first while the code is unknown.
  int PageSizeForMemory();
  // The interface list's name for `number`, or "UnknownInterface".
  std::string InterfaceName(int number) const;
  std::optional<std::string> KnownInterfaceName(int number) const;

 private:
  void Status(int panel, const std::string& text) const;

  SerialPort& port_;
  const DeviceSettings& settings_;
  const Translator& language_;
  std::vector<InterfaceEntry> interfaces_;
  StatusSink status_;
  std::atomic<int> memorySizeCode_{-1};
};

// The labels of the hardware properties window, filled by one query.
struct HardwareProperties {
  std::string port;
  std::string hardwareVersion;
  std::string softwareVersion;
  std::string memorySize;
  std::string activeInterface;
  std::optional<AnnouncerInfo> info;  // the record behind them, when valid
};

// Selects the port and reads the announcer's properties into the labels.
// Problems (no announcer, port that does not open) are shown through `warn`.
HardwareProperties ReadHardwareProperties(AnnouncerSession& session,
                                          const std::function<void(const Message&)>& warn);

}  // namespace liftvox
