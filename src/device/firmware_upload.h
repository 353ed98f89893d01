#pragma once

#include <cstdint>
#include <filesystem>

#include "device/announcer_session.h"
#include "device/spi_bus.h"
#include "device/transfer_observer.h"

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
};

// The port an upload starts with: 0 (search) with automatic detection, where
// the label reads "Autodetekce"; otherwise the fixed port.
int FirmwarePortChoice(AnnouncerSession& session, TransferObserver& observer);

// With automatic detection off, SelectPort. Otherwise the first of ports 1..4
// where an AVR completes the programming handshake (the chip found is erased
// on the way); 1 when none does.
int FindProgrammerPort(AnnouncerSession& session, TransferObserver& observer,
                       const SpiTiming& timing = SpiTiming::Real());

// Loads `hexFile` and writes its first 8192 bytes into the AVR on `port` (0:
// search), erasing the chip first, then writes the fuses of an ATmega8515
// (high 0x59, low 0xEE). A stop request erases the chip again. Messages and
// progress go through `observer`; the last progress text is "Hotovo".
FirmwareResult UploadFirmware(AnnouncerSession& session, const std::filesystem::path& hexFile,
                              int port, TransferObserver& observer,
                              const SpiTiming& timing = SpiTiming::Real());

}  // namespace liftvox
