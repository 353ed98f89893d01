#include "session/device_connection.h"

#include "model/translator.h"
#include "session/memory_size_detection.h"

namespace liftvox {

DeviceConnection::DeviceConnection(const Translator& language,
                                   std::vector<InterfaceEntry> interfaces, bool detectMemorySize,
                                   QObject* parent)
    : QObject(parent),
      language_(language),
      interfaces_(std::move(interfaces)),
      detectMemorySize_(detectMemorySize),
      announcer_(port_, settings_, language_, interfaces_),
      queuedStatus_([this](StatusPanel panel, const std::string& text) {
        QMetaObject::invokeMethod(
            this,
            [this, panel, text = QString::fromStdString(text)] { emit StatusChanged(panel, text); },
            Qt::QueuedConnection);
      }),
      detection_(std::make_unique<MemorySizeDetection>(announcer_, queuedStatus_)) {
  connect(detection_.get(), &MemorySizeDetection::Finished, this,
          &DeviceConnection::MemorySizeKnown);
}

DeviceConnection::~DeviceConnection() { detection_.reset(); }

void DeviceConnection::SetSettings(const DeviceSettings& settings) {
  settings_ = settings;
  // Detected again with each change: adapters come and go.
  announcer_.SetSettings(settings, settings.Ports());
}

void DeviceConnection::TakeStoredSettings(const DeviceSettings& settings) {
  port_.SetPortTable(settings.Ports());
  SetSettings(settings);
}

ImageSettings DeviceConnection::CurrentImageSettings() const {
  ImageSettings settings;
  settings.memorySizeCode = announcer_.MemorySizeCode();
  settings.interfaceCode = interfaceNumber_;
  settings.setupToFlash = settings_.setupToFlash;
  settings.encoder = encoder_;
  return settings;
}

// Where no serial device exists at all, detection has nothing to ask. On
// Windows an empty device list still means the system's COM1..COM9.
bool DeviceConnection::NoSerialPortExists() const {
#ifdef Q_OS_WIN
  return false;
#else
  return settings_.Ports().Devices().empty();
#endif
}

void DeviceConnection::DetectMemorySize(bool selectPortFirst) {
  if (detection_->Running()) {
    // The detection under way took the settings before these.
    connect(
        detection_.get(), &MemorySizeDetection::Finished, this,
        [this, selectPortFirst] { DetectMemorySize(selectPortFirst); }, Qt::SingleShotConnection);
    return;
  }
  if (detectMemorySize_ && !NoSerialPortExists()) {
    if (detection_->Start(selectPortFirst))
      emit StatusChanged(StatusPanel::Memory,
                         " " + QString::fromStdString(language_.Translate(
                                   "MemoryAutodetection", "Autodetekce paměti...")));
    return;
  }
  // Nothing to ask: the chosen size, without touching a port.
  DeviceStatusObserver status([this](StatusPanel panel, const std::string& text) {
    emit StatusChanged(panel, QString::fromStdString(text));
  });
  emit MemorySizeKnown(announcer_.UseChosenMemorySize(status));
}

bool DeviceConnection::DetectionRunning() const { return detection_->Running(); }

void DeviceConnection::RetextStatus() {
  DeviceStatusObserver status([this](StatusPanel panel, const std::string& text) {
    emit StatusChanged(panel, QString::fromStdString(text));
  });
  announcer_.ShowPresence(status);
}

}  // namespace liftvox
