#include "device/announcer_session.h"

#include "base/message_format.h"
#include "image/memory_size.h"
#include "model/translator.h"

namespace liftvox {

AnnouncerSession::AnnouncerSession(SerialPort& port, const DeviceSettings& settings,
                                   const Translator& language,
                                   std::vector<InterfaceEntry> interfaces)
    : port_(port), settings_(settings), language_(language), interfaces_(std::move(interfaces)) {}

std::string AnnouncerSession::Translate(const std::string& key,
                                        const std::string& czechDefault) const {
  return language_.Translate(key, czechDefault);
}

void AnnouncerSession::Status(int panel, const std::string& text) const {
  if (status_) status_(panel, text);
}

int AnnouncerSession::SelectPort() {
  if (settings_.autoPort) {
    const int found = FindAnnouncerPort(port_);
    Status(3, " Port: COM" + std::to_string(found));
    if (found > 0) return found;
  }
  const int fixed = settings_.FixedPortNumber();
  Status(3, " Port: COM" + std::to_string(fixed));
  return fixed;
}

std::optional<AnnouncerInfo> AnnouncerSession::QueryAnnouncerInfo() {
  const int portNumber = SelectPort() % 256;
  if (portNumber == 0) return std::nullopt;
  port_.Close();
  if (port_.Open(portNumber) != 0) return std::nullopt;
  PrepareAnnouncerPort(port_, 256, 100);
  auto info = RequestAnnouncerInfo(port_);
  port_.Close();
  return info;
}

int64_t AnnouncerSession::GetMemorySizeFromAnnouncer() {
  const auto info = QueryAnnouncerInfo();
  if (!info) return 0;
  SetMemorySizeCode(info->MemoryCode());
  return MemorySizeFromCode(info->MemoryCode());
}

int AnnouncerSession::GetInterfaceFromAnnouncer() {
  const auto info = QueryAnnouncerInfo();
  if (!info) return 0;
  return info->InterfaceNumber().value_or(-1);
}

bool AnnouncerSession::GetFirmwareVersion(int& major, int& minor) {
  const auto info = QueryAnnouncerInfo();
  if (!info || info->bytes.size() < 3) return false;
  major = info->FirmwareMajor();
  minor = info->FirmwareMinor();
  return true;
}

int64_t AnnouncerSession::DetectMemorySize() {
  if (settings_.autoMemory) {
    const int64_t size = GetMemorySizeFromAnnouncer();
    if (size != 0) {
      Status(0, Translate("SpeakerDetected", "Hlásič detekován"));
      Status(2, " " + Translate("DetectedMemory", "Detekovaná paměť:") + " " +
                    MemorySizeText(MemorySizeCode(), language_));
      return size;
    }
  }
  const int code = settings_.ChosenMemoryCode();
  SetMemorySizeCode(code);
  Status(0, Translate("SpeakerNotDetected", "Hlásič nebyl detekován"));
  Status(2, " " + Translate("SelectedMemory", "Zvolená paměť:") + " " +
                MemorySizeText(code, language_));
  return MemorySizeFromCode(code);
}

int AnnouncerSession::PageSizeForMemory() {
  if (MemorySizeCode() == -1) DetectMemorySize();
  return liftvox::PageSizeForMemory(MemorySizeCode());
}

std::optional<std::string> AnnouncerSession::KnownInterfaceName(int number) const {
  for (const auto& entry : interfaces_) {
    if (entry.number == number) return entry.name;
  }
  return std::nullopt;
}

std::string AnnouncerSession::InterfaceName(int number) const {
  return KnownInterfaceName(number).value_or(Translate("UnknownInterface", "neznámé"));
}

HardwareProperties ReadHardwareProperties(AnnouncerSession& session,
                                          const std::function<void(const Message&)>& warn) {
  HardwareProperties labels;
  const std::string caption = session.Translate("HWProperties", "Vlastnosti hardware");
  const std::string notDetected = session.Translate("SpeakerNotDetected", "Hlásič nebyl detekován");
  const int portNumber = session.SelectPort() % 256;
  if (portNumber == 0) {
    warn(Message{"SpeakerNotDetected", caption, notDetected});
    labels.hardwareVersion = notDetected;
    return labels;
  }
  SerialPort& port = session.Port();
  labels.port = port.PortLabel(portNumber);
  port.Close();
  if (port.Open(portNumber) != 0) {
    const std::string text =
        session.Translate("UnableOpenPort", "Nepodařilo se otevřít port COM%d!");
    warn(Message{"UnableOpenPort", caption, FormatText(text, {std::to_string(portNumber)})});
    labels.hardwareVersion = notDetected;
    return labels;
  }
  PrepareAnnouncerPort(port, 256, 100);
  labels.info = RequestAnnouncerInfo(port);
  port.Close();
  if (!labels.info) {
    labels.hardwareVersion = notDetected;
    return labels;
  }
  const AnnouncerInfo& info = *labels.info;
  labels.hardwareVersion = std::to_string(info.HardwareVersion());
  labels.softwareVersion =
      std::to_string(info.FirmwareMajor()) + "." + std::to_string(info.FirmwareMinor());
  labels.memorySize = MemorySizeText(info.MemoryCode(), session.Language());
  if (const auto number = info.InterfaceNumber()) {
    if (const auto name = session.KnownInterfaceName(*number)) labels.activeInterface = *name;
  }
  return labels;
}

}  // namespace liftvox
