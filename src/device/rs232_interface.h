#pragma once

#include <memory>

#include "device/port_table.h"
#include "device/serial_device.h"
#include "device/serial_port.h"

namespace liftvox {

// The real serial port. The stored settings (line settings and read
// time-outs) outlive Close and are reapplied by every Open, so a caller that
// configured the port once finds the same settings on the next port it opens.
class RS232Interface final : public SerialPort {
 public:
  explicit RS232Interface(PortTable ports = PortTable());
  ~RS232Interface() override;
  RS232Interface(const RS232Interface&) = delete;
  RS232Interface& operator=(const RS232Interface&) = delete;

  void SetPortTable(PortTable ports) { ports_ = std::move(ports); }
  const PortTable& Ports() const { return ports_; }

  int Open(int port) override;
  void Close() override;
  bool IsOpen() const override { return device_ != nullptr; }

  int SetParams(int baud, int byteSize, char parity, int stopBits, int flowControl) override;
  int SetTimeouts(int readTotalMs, int readIntervalMs) override;
  int SetBufferSizes(int inputSize, int outputSize) override;
  int SetBreak(bool on) override;
  int SetDTR(bool on) override;
  int SetRTS(bool on) override;
  int GetCTS() override;
  void PurgeInput() override;
  void PurgeOutput() override;
  int Read(uint8_t* buffer, int count) override;
  int Write(const uint8_t* buffer, int count) override;
  std::string PortLabel(int port) const override { return ports_.Label(port); }
  void UsePorts(const PortTable& ports) override { ports_ = ports; }

  const LineSettings& StoredSettings() const { return settings_; }
  int ReadTotalTimeout() const { return readTotalMs_; }
  int ReadIntervalTimeout() const { return readIntervalMs_; }

 private:
  PortTable ports_;
  std::unique_ptr<SerialDevice> device_;
  LineSettings settings_;
  int readTotalMs_ = 0;
  int readIntervalMs_ = 0;
};

// Applies `arguments` to `stored` where each is valid (baud 300..115200, byte
// size 1..16, parity 'N'/'E'/'O', stop-bits code 0..2, flow control 0..2) and
// keeps the stored value otherwise.
void MergeLineSettings(LineSettings& stored, const LineSettings& arguments);

}  // namespace liftvox
