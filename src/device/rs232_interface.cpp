#include "device/rs232_interface.h"

namespace liftvox {

void MergeLineSettings(LineSettings& stored, const LineSettings& arguments) {
  if (arguments.baud >= 300 && arguments.baud <= 115200) stored.baud = arguments.baud;
  if (arguments.byteSize >= 1 && arguments.byteSize <= 16) stored.byteSize = arguments.byteSize;
  if (arguments.parity == 'N' || arguments.parity == 'E' || arguments.parity == 'O') {
    stored.parity = arguments.parity;
  }
  if (arguments.stopBits >= 0 && arguments.stopBits <= 2) stored.stopBits = arguments.stopBits;
  if (arguments.flowControl >= 0 && arguments.flowControl <= 2) {
    stored.flowControl = arguments.flowControl;
  }
}

RS232Interface::RS232Interface(PortTable ports) : ports_(std::move(ports)) {}

RS232Interface::~RS232Interface() { Close(); }

int RS232Interface::Open(int port) {
  const std::string path = ports_.DevicePath(port);
  if (path.empty()) return -1;
  device_ = SerialDevice::Open(path);
  if (!device_) return -1;
  // Results ignored: a refused setting leaves the driver's own in force.
  SetTimeouts(-1, -1);
  SetParams(-1, -1, ' ', -1, -1);
  return 0;
}

void RS232Interface::Close() {
  if (!device_) return;
  device_->Purge(true, true);
  device_.reset();
}

int RS232Interface::SetParams(int baud, int byteSize, char parity, int stopBits, int flowControl) {
  if (!device_) return -1;
  MergeLineSettings(settings_, LineSettings{baud, byteSize, parity, stopBits, flowControl});
  return device_->Configure(settings_);
}

int RS232Interface::SetTimeouts(int readTotalMs, int readIntervalMs) {
  if (readTotalMs >= 0) readTotalMs_ = readTotalMs;
  if (readIntervalMs >= 0) readIntervalMs_ = readIntervalMs;
  if (!device_) return -1;
  return device_->SetTimeouts(readTotalMs_, readIntervalMs_) ? 0 : -1;
}

int RS232Interface::SetBufferSizes(int inputSize, int outputSize) {
  if (!device_) return -1;
  return device_->SetBufferSizes(inputSize, outputSize) ? 0 : -1;
}

int RS232Interface::SetBreak(bool on) {
  if (!device_) return -1;
  device_->SetBreak(on);
  return 0;
}

int RS232Interface::SetDTR(bool on) {
  if (!device_) return -1;
  return device_->SetDtr(on) ? 0 : -1;
}

int RS232Interface::SetRTS(bool on) {
  if (!device_) return -1;
  return device_->SetRts(on) ? 0 : -1;
}

int RS232Interface::GetCTS() {
  if (!device_) return -1;
  const int cts = device_->Cts();
  if (cts < 0) return -1;
  return cts ? 16 : 0;
}

void RS232Interface::PurgeInput() {
  if (device_) device_->Purge(true, false);
}

void RS232Interface::PurgeOutput() {
  if (device_) device_->Purge(false, true);
}

int RS232Interface::Read(uint8_t* buffer, int count) {
  if (!device_ || count < 0) return -1;
  return device_->Read(buffer, count);
}

int RS232Interface::Write(const uint8_t* buffer, int count) {
  if (!device_ || count < 0) return -1;
  return device_->Write(buffer, count);
}

}  // namespace liftvox
