#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "device/announcer_session.h"
#include "device/device_settings.h"
#include "device/rs232_interface.h"
#include "image/image_settings.h"
#include "lang/interfaces_list.h"
#include "session/device_status_observer.h"

namespace liftvox {

class MemorySizeDetection;
class Translator;

// The program's one link to the announcer: the serial port
// (`RS232Interface`), the device settings, the announcer session that the
// device dialogs' jobs share, the interface the image is built for, and the
// memory-size detection (`TVelikostPametiThread`) with the status texts it
// leaves. Lives on the GUI thread; its signals arrive there.
class DeviceConnection final : public QObject {
  Q_OBJECT

 public:
  // `detectMemorySize` false: the chosen size is taken and no port is touched.
  DeviceConnection(const Translator& language, std::vector<InterfaceEntry> interfaces,
                   bool detectMemorySize, QObject* parent = nullptr);
  // Waits for a running detection (at most a second or two of port time-outs).
  ~DeviceConnection() override;

  AnnouncerSession& Announcer() { return announcer_; }
  const std::vector<InterfaceEntry>& Interfaces() const { return interfaces_; }

  const DeviceSettings& Settings() const { return settings_; }
  // Settings for the jobs that start from now on.
  void SetSettings(const DeviceSettings& settings);
  // Stored settings at start-up: also the devices their port numbers name.
  void TakeStoredSettings(const DeviceSettings& settings);
  int InterfaceNumber() const { return interfaceNumber_; }
  void SetInterfaceNumber(int number) { interfaceNumber_ = static_cast<uint8_t>(number & 0xFF); }
  // The coder the image and the previews use (a program setting).
  EncoderKind Encoder() const { return encoder_; }
  void SetEncoder(EncoderKind encoder) { encoder_ = encoder; }
  // What the image is built for now: the memory size found, the interface,
  // whether the configuration text goes in, the encoder.
  ImageSettings CurrentImageSettings() const;

  // Finds the memory size (MemorySizeKnown follows): on a worker while
  // detection is on and a serial port exists, else the chosen size at once.
  // `selectPortFirst`: choose the port (and show it) first. Asked while a
  // detection runs, it runs again after that one.
  void DetectMemorySize(bool selectPortFirst = false);
  // While true, a detection may be using any of the serial ports.
  bool DetectionRunning() const;
  // The announcer and memory texts again, in the current language.
  void RetextStatus();

 signals:
  void StatusChanged(liftvox::StatusPanel panel, const QString& text);
  void MemorySizeKnown(qint64 bytes);

 private:
  bool NoSerialPortExists() const;

  const Translator& language_;
  std::vector<InterfaceEntry> interfaces_;
  bool detectMemorySize_;
  DeviceSettings settings_;
  RS232Interface port_;
  AnnouncerSession announcer_;
  uint8_t interfaceNumber_ = 0;
  EncoderKind encoder_ = EncoderKind::Standard;
  DeviceStatusObserver queuedStatus_;  // hands a worker's texts to the GUI thread
  std::unique_ptr<MemorySizeDetection> detection_;
};

}  // namespace liftvox
