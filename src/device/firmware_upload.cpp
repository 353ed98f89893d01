#include "device/firmware_upload.h"

#include <exception>
#include <memory>

#include "base/message_format.h"
#include "device/at90s.h"
#include "device/intel_hex.h"
#include "device/port_table.h"

namespace liftvox {

namespace {

bool Supported(uint32_t signature) {
  return signature == kSignatureAt90s8515 || signature == kSignatureAtmega8515;
}

}  // namespace

int FirmwarePortChoice(AnnouncerSession& session, TransferObserver& observer) {
  if (session.Settings().autoPort) {
    observer.PortChanged(session.Translate("Autodetection", "Autodetekce"));
    return 0;
  }
  const int port = session.Settings().FixedPortNumber();
  observer.PortChanged(session.Port().PortLabel(port));
  return port;
}

int FindProgrammerPort(AnnouncerSession& session, TransferObserver& observer,
                       const SpiTiming& timing) {
  if (!session.Settings().autoPort) return session.SelectPort();
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
                              int port, TransferObserver& observer, const SpiTiming& timing) {
  FirmwareResult result;
  result.port = port;
  SerialPort& serial = session.Port();
  const std::string caption = session.Translate("FirmwareUploading", "Nahrávání software");
  auto warn = [&](const std::string& key, const std::string& czechDefault,
                  const std::vector<std::string>& arguments = {}) {
    observer.Warn(
        Message{key, caption, FormatText(session.Translate(key, czechDefault), arguments)});
  };
  const std::string done = session.Translate("Done", "Hotovo");
  observer.ProgressChanged(0, "");

  FirmwareImage image;
  if (!LoadHexFile(hexFile, image).empty()) {
    result.outcome = FirmwareOutcome::UnableLoadFile;
    warn("UnableLoadFile", "Soubor %s nelze načíst!", {hexFile.string()});
    serial.Close();
    return result;
  }

  if (result.port < 1) {
    result.port = FindProgrammerPort(session, observer, timing);
    observer.PortChanged(serial.PortLabel(result.port));
  }

  std::unique_ptr<At90s> programmer;
  try {
    serial.Close();
    serial.Open(result.port);
    programmer = std::make_unique<At90s>(serial, timing);
    timing.sleepMs(20);
    programmer->ProgrammingEnable();
    timing.sleepMs(20);
    result.signature = programmer->Signature;
    if (!Supported(programmer->Signature)) {
      result.outcome = FirmwareOutcome::NotConnected;
      warn("SpeakerNotConnected", "Hlásič není připojen, nebo má špatně nastaveny propojky!");
      programmer.reset();
      serial.Close();
      return result;
    }
    // The byte and page procedures skip 0xFF and rely on an erased chip.
    // Erase here whatever happened before: a search may have found no chip
    // answering and erased nothing.
    programmer->ChipErase();
    const int written = programmer->ProgramMemory(
        std::span<const uint8_t>(image.data(), kFirmwareProgramSize), observer);
    if (written < 0) {
      result.outcome = FirmwareOutcome::CommunicationError;
      warn("FirmwareCommunicationError",
           "Chyba komunikace s hlásičem. Zkontrolujte prosím propojení.");
      observer.ProgressChanged(0, "");
      programmer.reset();
      serial.Close();
      return result;
    }
    observer.ProgressChanged(100, done);
    if (programmer->Signature == kSignatureAtmega8515) {
      programmer->WriteFuseHigh(0x59);
      programmer->WriteFuseLow(0xEE);
    }
  } catch (const std::exception&) {
    if (observer.StopRequested() && programmer) {
      try {
        programmer->ChipErase();
      } catch (const std::exception&) {
      }
    }
    result.outcome = FirmwareOutcome::UploadError;
    warn("FirmwareUploadError", "Chyba programování hlásiče!");
  }
  if (observer.StopRequested()) {
    if (programmer) {
      try {
        programmer->ChipErase();  // leave no partly written firmware behind
      } catch (const std::exception&) {
      }
    }
    result.outcome = FirmwareOutcome::Stopped;
    result.closeDialog = true;
  }
  programmer.reset();  // RESET released: the new firmware starts
  serial.Close();
  observer.ProgressChanged(100, done);
  return result;
}

}  // namespace liftvox
