#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/announcer_protocol.h"
#include "device/device_job_observer.h"
#include "device/device_settings.h"
#include "device/serial_port.h"
#include "lang/interfaces_list.h"
#include "model/prompter.h"

namespace liftvox {

class Translator;

// What the last memory-size detection found.
enum class AnnouncerPresence { Unknown, Detected, NotDetected };

// The program's link to the announcer: the one serial port, the settings that
// choose the port and the memory size, the translation, the interface list
// and the memory-size code (-1 until known).
//
// One device job uses a session at a time, on whatever thread runs it: a job
// that starts while another runs waits for it (see RunScope), since both
// would talk through the one port. Each job works with the settings it found
// at its start, so new settings may arrive from another thread at any time. The memory-size code
// may be read from any thread. The port and the translator are the owner's
// and must outlive the session; the translator is called from the job's
// thread.
class AnnouncerSession {
 public:
  AnnouncerSession(SerialPort& port, DeviceSettings settings, const Translator& language,
                   std::vector<InterfaceEntry> interfaces = {});

  // Marks one device job for as long as it lives. The outermost scope waits
  // until no job of another thread holds the session, then takes the
  // settings last given to SetSettings; they stay fixed until it ends.
  // Scopes nest: a read-back that detects the memory size is one job.
  class RunScope {
   public:
    explicit RunScope(AnnouncerSession& session);
    ~RunScope();
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

   private:
    AnnouncerSession& session_;
    std::unique_lock<std::recursive_mutex> turn_;
  };

  // Settings for the jobs that start from now on, and the ports they number
  // (when given; a typed fixed device needs its place in them); safe from any
  // thread while a job runs.
  void SetSettings(DeviceSettings settings, std::optional<PortTable> ports = std::nullopt);
  // The settings of the job in progress (of the last one between jobs).
  const DeviceSettings& Settings() const { return settings_; }
  // The fixed port's number among the ports of the job in progress.
  int FixedPortNumber() const { return settings_.FixedPortNumberIn(ports_); }

  SerialPort& Port() { return port_; }
  const Translator& Language() const { return language_; }
  std::string Translate(const std::string& key, const std::string& czechDefault) const;

  int MemorySizeCode() const { return memorySizeCode_.load(); }
  void SetMemorySizeCode(int code) { memorySizeCode_.store(code); }

  // The port for the next operation: the first answering port when automatic
  // detection is on and one answers, else the fixed port's number (0 when no
  // port is chosen). Shows " Port: COMn" in the port panel for each decision.
  int SelectPort(DeviceJobObserver& observer);
  // Selects the port, sets it up and asks for the information record.
  std::optional<AnnouncerInfo> QueryAnnouncerInfo(DeviceJobObserver& observer);
  // Bytes of the announcer's memory (0 without a valid answer); a valid
  // answer also sets the memory-size code.
  int64_t GetMemorySizeFromAnnouncer(DeviceJobObserver& observer);
  // The same query, giving the whole record instead of the size.
  std::optional<AnnouncerInfo> QueryMemorySize(DeviceJobObserver& observer);
  // The active interface; -1 for firmware before 2.7 or an answer without
  // one, 0 without a valid answer.
  int GetInterfaceFromAnnouncer(DeviceJobObserver& observer);
  // False, leaving the outputs alone, without a valid answer.
  bool GetFirmwareVersion(int& major, int& minor, DeviceJobObserver& observer);
  // Memory size by detection (automatic and answered) or the chosen size;
  // sets the memory-size code, the presence and the announcer and memory panels.
  int64_t DetectMemorySize(DeviceJobObserver& observer);
  // The chosen size alone, without touching the port: what DetectMemorySize
  // falls back on.
  int64_t UseChosenMemorySize(DeviceJobObserver& observer);
  // Whether the last DetectMemorySize found the announcer; any thread.
  AnnouncerPresence Presence() const { return presence_.load(); }
  // The announcer and memory panels' texts for the presence and memory size
  // (in the current language; nothing while the presence is unknown).
  void ShowPresence(DeviceJobObserver& observer) const;
  // Page size for the current code; detects first while the code is unknown.
  int PageSizeForMemory(DeviceJobObserver& observer);
  // The interface list's name for `number` in the user's language
  // (TranslatedInterfaceName), or "UnknownInterface".
  std::string InterfaceName(int number) const;
  std::optional<std::string> KnownInterfaceName(int number) const;

  // How far one information query got: the port chosen (0: none), whether it
  // opened, and the valid record when one came.
  struct InfoQuery {
    int port = 0;
    bool opened = false;
    std::optional<AnnouncerInfo> info;
  };
  InfoQuery QueryInformation(DeviceJobObserver& observer);

 private:
  SerialPort& port_;
  DeviceSettings settings_;
  PortTable ports_;  // the port table last given with settings
  const Translator& language_;
  std::vector<InterfaceEntry> interfaces_;
  std::atomic<int> memorySizeCode_{-1};
  std::atomic<AnnouncerPresence> presence_{AnnouncerPresence::Unknown};
  std::recursive_mutex jobMutex_;  // held by the job in progress
  int runDepth_ = 0;               // touched only by the job holding jobMutex_
  std::mutex pendingMutex_;
  std::optional<DeviceSettings> pendingSettings_;
  std::optional<PortTable> pendingPorts_;
};

// The labels of the hardware properties window, filled by one query.
struct HardwareProperties {
  std::string port;
  std::string hardwareVersion;
  std::string softwareVersion;
  std::string memorySize;
  std::string activeInterface;
  // The query was sent on an open port (whether or not an answer came).
  bool portOpened = false;
  std::optional<AnnouncerInfo> info;  // the record behind them, when valid
};

// Selects the port and reads the announcer's properties into the labels. The
// port label goes to the observer too ("Detekce..." first). Problems (no
// port chosen, a port that does not open) are warned of through `prompter`.
HardwareProperties ReadHardwareProperties(AnnouncerSession& session, Prompter& prompter,
                                          DeviceJobObserver& observer);

}  // namespace liftvox
