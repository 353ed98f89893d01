#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "device/announcer_session.h"
#include "device/transfer_observer.h"

namespace liftvox {

// How a programming or read-back run ended.
enum class TransferOutcome {
  Completed,
  NoAnnouncer,         // the probe was not answered
  MemorySizeMismatch,  // the image was built for another memory size
  OldFirmware,         // firmware below 3.4
  InterfaceDeclined,   // the user kept the announcer's interface
  Abandoned,           // the user gave up after repeated page failures
  Stopped,             // a stop request ended the page loop
};

struct TransferResult {
  TransferOutcome outcome = TransferOutcome::Completed;
  int port = 0;       // the port number chosen for the run
  int pages = 0;      // pages the run meant to transfer
  int pagesDone = 0;  // pages transferred
  int errors = 0;     // failed page attempts over the whole run
  // Read-back only: -1 stopped or no announcer (configuration read), 0
  // nothing usable, else the bytes now valid in the image.
  int64_t bytesInUse = 0;
  // The dialog that watches the run closes itself when this is set.
  bool closeDialog = false;
};

// An image to write: the memory size it was built for, how many of its bytes
// are in use (a whole number of pages), and the interface it was built for.
struct ProgramImage {
  std::span<const uint8_t> bytes;
  int64_t memorySize = 0;
  int64_t bytesInUse = 0;
  int interfaceNumber = 0;
};

// Writes the image into the announcer page by page: chooses the port, checks
// the announcer's memory size, firmware (at least 3.4) and interface (asking
// when they differ), resends a failed page and asks "CommunicationError"
// before every fifth retry of the same page, ends with the end-of-transfer
// command. Messages, questions, progress and the stop request go through
// `observer`; the final progress text is "Hotovo".
TransferResult ProgramAnnouncer(AnnouncerSession& session, const ProgramImage& image,
                                TransferObserver& observer);

// Reads the whole image in use (the page count comes from the image's own
// header after page 0) into `image`, which is resized to `memorySize` bytes
// when smaller.
TransferResult ReadWholeMemory(AnnouncerSession& session, std::vector<uint8_t>& image,
                               int64_t memorySize, TransferObserver& observer);

// Reads only the pages up to the end of the stored configuration record.
TransferResult ReadStoredConfiguration(AnnouncerSession& session, std::vector<uint8_t>& image,
                                       int64_t memorySize, TransferObserver& observer);

}  // namespace liftvox
