#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace liftvox {

// Line settings in the form the port keeps them (Win32 codes).
struct LineSettings {
  int baud = 9600;
  int byteSize = 8;
  char parity = 'N';
  int stopBits = 1;     // 0 one, 1 one and a half, 2 two
  int flowControl = 0;  // 0: DTR and RTS driven by the program
};

// The platform layer: one open serial device. Only serial_port_posix.cpp and
// serial_port_win32.cpp implement it; nothing else touches the system.
class SerialDevice {
 public:
  virtual ~SerialDevice() = default;

  // Opens `path` for exclusive use; nullptr when that fails.
  static std::unique_ptr<SerialDevice> Open(const std::string& path);

  // 0, -1 when the current settings cannot be read, or the system error code
  // when the new ones are refused. Purges both directions in either case.
  virtual int Configure(const LineSettings& settings) = 0;
  virtual bool SetTimeouts(int readTotalMs, int readIntervalMs) = 0;
  virtual bool SetBufferSizes(int inputSize, int outputSize) = 0;
  virtual bool SetBreak(bool on) = 0;
  virtual bool SetDtr(bool on) = 0;
  virtual bool SetRts(bool on) = 0;
  // 1 on, 0 off, -1 when the status cannot be read.
  virtual int Cts() = 0;
  virtual void Purge(bool input, bool output) = 0;
  virtual int Read(uint8_t* buffer, int count) = 0;
  virtual int Write(const uint8_t* buffer, int count) = 0;
};

}  // namespace liftvox
