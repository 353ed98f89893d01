#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/announcer_session.h"
#include "device/device_job_observer.h"
#include "model/prompter.h"

namespace liftvox {

// How a programming or read-back run ended.
enum class TransferOutcome {
  Completed,
  NoAnnouncer,         // the probe was not answered
  MemorySizeMismatch,  // the image was built for another memory size
  OldFirmware,         // firmware below 3.4
  InterfaceDeclined,   // the user kept the announcer's interface
  Abandoned,           // the user gave up after repeated page failures
  Stopped,             // a stop request ended the page loop or a page's retries
  VerifyFailed,        // the pages read back after writing differ from the image
};

// Where the pages read back after programming differ from the image.
struct VerifyMismatch {
  int64_t firstAddress = 0;  // the first differing byte's address in the flash
  int firstPage = 0;         // the page that holds it
  int64_t differingBytes = 0;
};

struct TransferResult {
  TransferOutcome outcome = TransferOutcome::Completed;
  int port = 0;           // the port number chosen for the run
  int pages = 0;          // pages the run meant to transfer
  int pagesDone = 0;      // pages transferred
  int errors = 0;         // failed page attempts over the whole run, verifying included
  int pagesVerified = 0;  // pages read back and compared
  // Read-back only: -1 stopped or no announcer (configuration read), 0
  // nothing usable, else the bytes now valid in the image.
  int64_t bytesInUse = 0;
  // The dialog that watches the run closes itself when this is set.
  bool closeDialog = false;
  // Programming: the announcer's information record, once it answered with
  // the memory size the image needs.
  std::optional<AnnouncerInfo> announcer;
  // Programming with verifying: set when outcome is VerifyFailed.
  std::optional<VerifyMismatch> mismatch;
};

// An image to write: the memory size it was built for, how many of its bytes
// are in use (a whole number of pages), and the interface it was built for.
struct ProgramImage {
  std::span<const uint8_t> bytes;
  int64_t memorySize = 0;
  int64_t bytesInUse = 0;
  int interfaceNumber = 0;
};

struct ProgramOptions {
  // After the end of transfer, read every written page back (with the read
  // retry policy) and compare it with what was sent.
  bool verify = false;
};

// Seconds that 115200 baud 8N1 needs for the page exchanges that write
// `image` (page size and pages from its memory size; each exchange carries the
// command, the marker, the page number, the page and its sum). Reading the
// pages back costs as much, so verifying doubles it. 0 for an unknown memory
// size.
double LineSecondsToProgram(const ProgramImage& image);

// The runs below share these rules. Each takes the session's settings at its
// start. Messages and questions go through `prompter`, progress, status and
// the stop request through `observer`; both are called on the thread running
// the job, and a question blocks it until answered. A failed page is resent;
// before every fifth retry of the same page the prompter is asked
// "CommunicationError", and No abandons the run. A stop request is looked at
// after every page and between the attempts at one, so on a dead line a stop
// takes effect within one attempt (six read time-outs). The last progress
// text is "Hotovo".

// Writes the image into the announcer page by page: chooses the port, checks
// the announcer's memory size, firmware (at least 3.4) and interface (asking
// when they differ), then sends the pages and the end-of-transfer command
// (also after a stop, not after the user gave up). A short last page is
// padded with 0xFF, as erased flash reads. With `options.verify` the pages
// are then read back (phase Verifying) and any difference fails the run with
// "VerifyFailed", naming the first differing address and page and the number
// of differing bytes.
TransferResult ProgramAnnouncer(AnnouncerSession& session, const ProgramImage& image,
                                Prompter& prompter, DeviceJobObserver& observer,
                                ProgramOptions options = {});

// Reads the whole image in use (the page count comes from the image's own
// header after page 0) into `image`, which is resized to `memorySize` bytes
// when smaller.
TransferResult ReadWholeMemory(AnnouncerSession& session, std::vector<uint8_t>& image,
                               int64_t memorySize, Prompter& prompter, DeviceJobObserver& observer);

// Reads only the pages up to the end of the stored configuration record.
TransferResult ReadStoredConfiguration(AnnouncerSession& session, std::vector<uint8_t>& image,
                                       int64_t memorySize, Prompter& prompter,
                                       DeviceJobObserver& observer);

}  // namespace liftvox
