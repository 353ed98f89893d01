#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "device/announcer_session.h"
#include "device/device_job_observer.h"
#include "device/serial_port.h"
#include "model/translator.h"
#include "sim/virtual_announcer.h"
#include "support/test_support.h"

namespace liftvox::test {

// Records what a device job shows; asks it to stop once `stopWhen` says so.
// `onPortChanged` lets a test act in the middle of a job.
class JobRecorder final : public DeviceJobObserver {
 public:
  std::vector<std::string> ports;
  std::vector<std::string> progressTexts;
  std::vector<int> percents;
  std::vector<int> errorCounts;
  std::vector<std::pair<StatusPanel, std::string>> statuses;
  std::function<bool()> stopWhen;
  std::function<void()> onPortChanged;

  void PortChanged(const std::string& label) override {
    ports.push_back(label);
    if (onPortChanged) onPortChanged();
  }
  void ProgressChanged(int percent, const std::string& text) override {
    percents.push_back(percent);
    progressTexts.push_back(text);
  }
  void ErrorCountChanged(int count) override { errorCounts.push_back(count); }
  void StatusChanged(StatusPanel panel, const std::string& text) override {
    statuses.emplace_back(panel, text);
  }
  bool StopRequested() override { return stopWhen && stopWhen(); }
};

// A serial port wired to a VirtualAnnouncer in this process, on one port
// number (1 unless set).
// Bytes written reach the announcer at once. A read that finds no answer
// waits out its total time-out on a virtual clock, so the announcer hears the
// line go quiet (and answers a probe), and returns what that brought. The
// line dies, carrying nothing either way from then on, at the first write
// after the announcer has finished `pagesBeforeDeath` page exchanges.
class SimulatedLine final : public SerialPort {
 public:
  SimulatedLine(sim::AnnouncerIdentity identity, sim::FaultSettings faults, uint8_t flashFill);

  sim::VirtualAnnouncer announcer;
  int announcerPort = 1;
  int pagesBeforeDeath = -1;  // -1: the line never dies
  // The answer of the page exchange that makes this many reaches the PC late:
  // after its read has given up and the next purge is done. -1: never.
  int lateAnswerAfterPages = -1;
  int deadReads = 0;  // reads that met the dead line

  int Open(int port) override;
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  int SetParams(int, int, char, int, int) override { return open_ ? 0 : -1; }
  int SetTimeouts(int readTotalMs, int) override;
  int SetBufferSizes(int, int) override { return open_ ? 0 : -1; }
  int SetBreak(bool) override { return open_ ? 0 : -1; }
  int SetDTR(bool) override { return open_ ? 0 : -1; }
  int SetRTS(bool) override { return open_ ? 0 : -1; }
  int GetCTS() override { return open_ ? 0 : -1; }
  void PurgeInput() override { answer_ = std::exchange(late_, {}); }
  void PurgeOutput() override {}
  int Read(uint8_t* buffer, int count) override;
  int Write(const uint8_t* buffer, int count) override;
  std::string PortLabel(int port) const override { return "COM" + std::to_string(port); }

 private:
  bool open_ = false;
  bool dead_ = false;
  int timeoutMs_ = 0;
  int64_t nowUs_ = 0;
  int64_t lastByteUs_ = 0;
  std::vector<uint8_t> answer_;
  std::vector<uint8_t> late_;
};

// An image in the builder's layout: the parameter block on page 1 with the
// interface number and, when given, a stored configuration text; the other
// used pages carry a pattern.
std::vector<uint8_t> MakeImage(int64_t memorySize, int pageSize, int usedPages, int interfaceNumber,
                               const std::string& configuration);

// An announcer on a simulated line, a session fixed to its port (COM1) that
// knows the parallel (1) and serial (5) interfaces, and a prompter and an
// observer that record what runs show.
struct LineRig {
  explicit LineRig(sim::AnnouncerIdentity identity = {}, sim::FaultSettings faults = {},
                   uint8_t flashFill = 0xFF);
  static DeviceSettings FixedPort(int port);

  SimulatedLine line;
  CzechTranslator language;
  AnnouncerSession session;
  ScriptedPrompter prompter;
  JobRecorder observer;
};

}  // namespace liftvox::test
