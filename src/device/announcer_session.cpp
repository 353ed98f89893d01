#include "device/announcer_session.h"

#include "base/message_format.h"
#include "image/memory_size.h"
#include "model/translator.h"

namespace liftvox {

AnnouncerSession::AnnouncerSession(SerialPort& port, DeviceSettings settings,
                                   const Translator& language,
                                   std::vector<InterfaceEntry> interfaces)
    : port_(port),
      settings_(std::move(settings)),
      language_(language),
      interfaces_(std::move(interfaces)) {}

AnnouncerSession::RunScope::RunScope(AnnouncerSession& session)
    : session_(session), turn_(session.jobMutex_) {
  if (session_.runDepth_++ > 0) return;
  std::lock_guard lock(session_.pendingMutex_);
  if (session_.pendingSettings_) {
    session_.settings_ = std::move(*session_.pendingSettings_);
    session_.pendingSettings_.reset();
  }
  if (session_.pendingPorts_) {
    session_.ports_ = std::move(*session_.pendingPorts_);
    session_.pendingPorts_.reset();
    session_.port_.UsePorts(session_.ports_);
  }
}

AnnouncerSession::RunScope::~RunScope() { --session_.runDepth_; }

void AnnouncerSession::SetSettings(DeviceSettings settings, std::optional<PortTable> ports) {
  std::lock_guard lock(pendingMutex_);
  pendingSettings_ = std::move(settings);
  if (ports) pendingPorts_ = std::move(ports);
}

std::string AnnouncerSession::Translate(const std::string& key,
                                        const std::string& czechDefault) const {
  return language_.Translate(key, czechDefault);
}

int AnnouncerSession::SelectPort(DeviceJobObserver& observer) {
  RunScope run(*this);
  if (settings_.autoPort) {
    const int found = FindAnnouncerPort(port_);
    observer.StatusChanged(StatusPanel::Port, " Port: COM" + std::to_string(found));
    if (found > 0) return found;
  }
  const int fixed = FixedPortNumber();
  observer.StatusChanged(StatusPanel::Port, " Port: COM" + std::to_string(fixed));
  return fixed;
}

AnnouncerSession::InfoQuery AnnouncerSession::QueryInformation(DeviceJobObserver& observer) {
  RunScope run(*this);
  InfoQuery query;
  query.port = SelectPort(observer) % 256;
  if (query.port == 0) return query;
  port_.Close();
  query.opened = port_.Open(query.port) == 0;
  if (!query.opened) return query;
  PrepareAnnouncerPort(port_, 256, 100);
  query.info = RequestAnnouncerInfo(port_);
  port_.Close();
  return query;
}

std::optional<AnnouncerInfo> AnnouncerSession::QueryAnnouncerInfo(DeviceJobObserver& observer) {
  return QueryInformation(observer).info;
}

std::optional<AnnouncerInfo> AnnouncerSession::QueryMemorySize(DeviceJobObserver& observer) {
  auto info = QueryAnnouncerInfo(observer);
  if (info) SetMemorySizeCode(info->MemoryCode());
  return info;
}

int64_t AnnouncerSession::GetMemorySizeFromAnnouncer(DeviceJobObserver& observer) {
  const auto info = QueryMemorySize(observer);
  return info ? MemorySizeFromCode(info->MemoryCode()) : 0;
}

int AnnouncerSession::GetInterfaceFromAnnouncer(DeviceJobObserver& observer) {
  const auto info = QueryAnnouncerInfo(observer);
  if (!info) return 0;
  return info->InterfaceNumber().value_or(-1);
}

bool AnnouncerSession::GetFirmwareVersion(int& major, int& minor, DeviceJobObserver& observer) {
  const auto info = QueryAnnouncerInfo(observer);
  if (!info || info->bytes.size() < 3) return false;
  major = info->FirmwareMajor();
  minor = info->FirmwareMinor();
  return true;
}

int64_t AnnouncerSession::DetectMemorySize(DeviceJobObserver& observer) {
  RunScope run(*this);
  if (settings_.autoMemory) {
    const int64_t size = GetMemorySizeFromAnnouncer(observer);
    if (size != 0) {
      presence_.store(AnnouncerPresence::Detected);
      ShowPresence(observer);
      return size;
    }
  }
  return UseChosenMemorySize(observer);
}

int64_t AnnouncerSession::UseChosenMemorySize(DeviceJobObserver& observer) {
  RunScope run(*this);
  const int code = settings_.ChosenMemoryCode();
  SetMemorySizeCode(code);
  presence_.store(AnnouncerPresence::NotDetected);
  ShowPresence(observer);
  return MemorySizeFromCode(code);
}

void AnnouncerSession::ShowPresence(DeviceJobObserver& observer) const {
  const std::string size = MemorySizeText(MemorySizeCode(), language_);
  switch (Presence()) {
    case AnnouncerPresence::Unknown:
      return;
    case AnnouncerPresence::Detected:
      observer.StatusChanged(StatusPanel::Announcer,
                             Translate("SpeakerDetected", "Hlásič detekován"));
      observer.StatusChanged(StatusPanel::Memory,
                             " " + Translate("DetectedMemory", "Detekovaná paměť:") + " " + size);
      return;
    case AnnouncerPresence::NotDetected:
      observer.StatusChanged(StatusPanel::Announcer,
                             Translate("SpeakerNotDetected", "Hlásič nebyl detekován"));
      observer.StatusChanged(StatusPanel::Memory,
                             " " + Translate("SelectedMemory", "Zvolená paměť:") + " " + size);
      return;
  }
}

int AnnouncerSession::PageSizeForMemory(DeviceJobObserver& observer) {
  if (MemorySizeCode() == -1) DetectMemorySize(observer);
  return liftvox::PageSizeForMemory(MemorySizeCode());
}

std::optional<std::string> AnnouncerSession::KnownInterfaceName(int number) const {
  for (const auto& entry : interfaces_) {
    if (entry.number == number) return TranslatedInterfaceName(language_, number, entry.name);
  }
  return std::nullopt;
}

std::string AnnouncerSession::InterfaceName(int number) const {
  return KnownInterfaceName(number).value_or(Translate("UnknownInterface", "neznámé"));
}

HardwareProperties ReadHardwareProperties(AnnouncerSession& session, Prompter& prompter,
                                          DeviceJobObserver& observer) {
  AnnouncerSession::RunScope run(session);
  HardwareProperties labels;
  const std::string caption = session.Translate("HWProperties", "Vlastnosti hardware");
  const std::string notDetected = session.Translate("SpeakerNotDetected", "Hlásič nebyl detekován");
  labels.hardwareVersion = notDetected;
  observer.PortChanged(session.Translate("Detection", "Detekce..."));
  const auto query = session.QueryInformation(observer);
  if (query.port == 0) {
    prompter.Warn(Message{"SpeakerNotDetected", caption, notDetected});
    return labels;
  }
  labels.port = session.Port().PortLabel(query.port);
  observer.PortChanged(labels.port);
  if (!query.opened) {
    const std::string text =
        session.Translate("UnableOpenPort", "Nepodařilo se otevřít port COM%d!");
    prompter.Warn(
        Message{"UnableOpenPort", caption, FormatText(text, {std::to_string(query.port)})});
    return labels;
  }
  labels.portOpened = true;
  if (!query.info) return labels;
  const AnnouncerInfo& info = *query.info;
  labels.info = query.info;
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
