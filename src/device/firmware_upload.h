#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "device/announcer_session.h"
#include "device/device_job_observer.h"
#include "device/spi_bus.h"
#include "model/prompter.h"

namespace liftvox {

enum class FirmwareOutcome {
  Done,
  UnableLoadFile,      // missing file, invalid record, data beyond the buffer
  NotConnected,        // no supported chip answered
  CommunicationError,  // a byte never verified; the chip is partly written
  UploadError,         // an unexpected failure during programming
  Stopped,             // stop requested; the chip was erased
};

struct FirmwareResult {
  FirmwareOutcome outcome = FirmwareOutcome::Done;
  int port = 0;
  uint32_t signature = 0;
  bool closeDialog = false;
  // UnableLoadFile and UploadError: what failed, in English (the prompter
  // was shown the translated message).
  std::string detail;
};

// The port an upload starts with: 0 (search) with automatic detection, where
// the label reads "Autodetekce"; otherwise the fixed port.
int FirmwarePortChoice(AnnouncerSession& session, DeviceJobObserver& observer);

// With automatic detection off, SelectPort. Otherwise the first of ports 1..4
// where an AVR completes the programming handshake (the chip found is erased
// on the way); 1 when none does.
int FindProgrammerPort(AnnouncerSession& session, DeviceJobObserver& observer,
                       const SpiTiming& timing = SpiTiming::Real());

// Loads `hexFile` and writes its first 8192 bytes into the AVR on `port` (0:
// search), erasing the chip first, then writes the fuses of an ATmega8515
// (high 0x59, low 0xEE). Whatever ends the upload, RESET is released (the
// chip runs what it holds) and the port closed; a stop request erases the
// chip before that. An exception or a port failure while programming ends in
// UploadError. Messages go through `prompter`, progress and the stop request
// through `observer`, both on the calling thread; the last progress text is
// "Hotovo".
FirmwareResult UploadFirmware(AnnouncerSession& session, const std::filesystem::path& hexFile,
                              int port, Prompter& prompter, DeviceJobObserver& observer,
                              const SpiTiming& timing = SpiTiming::Real());

}  // namespace liftvox
