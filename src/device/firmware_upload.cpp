#include "device/firmware_upload.h"

#include <exception>
#include <optional>

#include "base/message_format.h"
#include "device/at90s.h"
#include "device/intel_hex.h"
#include "device/port_table.h"

namespace liftvox {

namespace {

bool Supported(uint32_t signature) {
  return signature == kSignatureAt90s8515 || signature == kSignatureAtmega8515;
}

// The programmer of one upload, with the clean-up every way out of it needs:
// once armed, a chip whose upload was stopped is erased, so no half-written
// firmware runs; then the programmer's destruction releases RESET and closes
// the port.
class ProgrammerGuard {
 public:
  ProgrammerGuard(SerialPort& port, const SpiTiming& timing, DeviceJobObserver& observer)
      : programmer_(port, timing), observer_(observer) {}
  ~ProgrammerGuard() {
    if (!eraseOnStop_) return;
    try {
      if (observer_.StopRequested()) programmer_.ChipErase();
    } catch (...) {
      // The port failed again; releasing RESET and closing it is all that is left.
    }
  }
  ProgrammerGuard(const ProgrammerGuard&) = delete;
  ProgrammerGuard& operator=(const ProgrammerGuard&) = delete;

  At90s& Programmer() { return programmer_; }
  void EraseOnStop() { eraseOnStop_ = true; }

 private:
  At90s programmer_;
  DeviceJobObserver& observer_;
  bool eraseOnStop_ = false;
};

}  // namespace

int FirmwarePortChoice(AnnouncerSession& session, DeviceJobObserver& observer) {
  AnnouncerSession::RunScope run(session);
  if (session.Settings().autoPort) {
    observer.PortChanged(session.Translate("Autodetection", "Autodetekce"));
    return 0;
  }
  const int port = session.FixedPortNumber();
  observer.PortChanged(session.Port().PortLabel(port));
  return port;
}

int FindProgrammerPort(AnnouncerSession& session, DeviceJobObserver& observer,
                       const SpiTiming& timing) {
  AnnouncerSession::RunScope run(session);
  if (!session.Settings().autoPort) return session.SelectPort(observer);
  SerialPort& port = session.Port();
  for (int n = 1; n <= 4; ++n) {
    port.Close();
    if (port.Open(n) != 0) continue;
    int enabled = -1;
    {
      At90s programmer(port, timing);
      observer.PortChanged(session.Translate("Trying", "Testuji") + " " + port.PortLabel(n));
      programmer.ProgrammingEnable();
      programmer.ChipErase();
      enabled = programmer.ProgrammingEnable();
    }  // RESET released, port closed
    if (enabled == 0) return n;
    port.Close();
  }
  return 1;
}

FirmwareResult UploadFirmware(AnnouncerSession& session, const std::filesystem::path& hexFile,
                              int port, Prompter& prompter, DeviceJobObserver& observer,
                              const SpiTiming& timing) {
  AnnouncerSession::RunScope run(session);
  FirmwareResult result;
  result.port = port;
  SerialPort& serial = session.Port();
  const std::string caption = session.Translate("FirmwareUploading", "Nahrávání software");
  auto warn = [&](const std::string& key, const std::string& czechDefault,
                  const std::vector<std::string>& arguments = {}) {
    prompter.Warn(
        Message{key, caption, FormatText(session.Translate(key, czechDefault), arguments)});
  };
  const std::string done = session.Translate("Done", "Hotovo");
  observer.ProgressChanged(0, "");

  FirmwareImage image;
  if (std::string why = LoadHexFile(hexFile, image); !why.empty()) {
    result.outcome = FirmwareOutcome::UnableLoadFile;
    result.detail = std::move(why);
    warn("UnableLoadFile", "Soubor %s nelze načíst!", {hexFile.string()});
    serial.Close();
    return result;
  }

  if (result.port < 1) {
    result.port = FindProgrammerPort(session, observer, timing);
    observer.PortChanged(serial.PortLabel(result.port));
  }

  serial.Close();
  serial.Open(result.port);
  std::optional<std::string> failure;
  try {
    ProgrammerGuard guard(serial, timing, observer);
    At90s& programmer = guard.Programmer();
    timing.sleepMs(20);
    programmer.ProgrammingEnable();
    timing.sleepMs(20);
    result.signature = programmer.Signature;
    if (!Supported(programmer.Signature)) {
      result.outcome = FirmwareOutcome::NotConnected;
      warn("SpeakerNotConnected", "Hlásič není připojen, nebo má špatně nastaveny propojky!");
      return result;
    }
    // The chip answered, so its lines work: from here a refused line is a
    // failed port, not a chip that does not verify.
    programmer.SetLineChecks(true);
    guard.EraseOnStop();
    // The byte and page procedures skip 0xFF and rely on an erased chip.
    // Erase here whatever happened before: a search may have found no chip
    // answering and erased nothing.
    programmer.ChipErase();
    const int written = programmer.ProgramMemory(
        std::span<const uint8_t>(image.data(), kFirmwareProgramSize), observer);
    if (written < 0) {
      result.outcome = FirmwareOutcome::CommunicationError;
      warn("FirmwareCommunicationError",
           "Chyba komunikace s hlásičem. Zkontrolujte prosím propojení.");
      observer.ProgressChanged(0, "");
      return result;
    }
    observer.ProgressChanged(100, done);
    if (programmer.Signature == kSignatureAtmega8515) {
      programmer.WriteFuseHigh(0x59);
      programmer.WriteFuseLow(0xEE);
    }
  } catch (const std::exception& error) {
    failure = error.what();
  } catch (...) {
    failure = "unknown failure";
  }
  // The guard has erased a stopped chip, released RESET and closed the port.
  if (failure) {
    result.outcome = FirmwareOutcome::UploadError;
    result.detail = *failure;
    warn("FirmwareUploadError", "Chyba programování hlásiče!");
  }
  if (observer.StopRequested()) {
    result.outcome = FirmwareOutcome::Stopped;
    result.closeDialog = true;
  }
  observer.ProgressChanged(100, done);
  return result;
}

}  // namespace liftvox
