#pragma once

#include <cstdint>
#include <string>

#include "device/port_table.h"

namespace liftvox {

// One serial port as the device code sees it: a byte stream plus the modem
// control lines and the break condition. RS232Interface is the real port;
// tests put a fake line interface behind the same contract.
//
// Integer results are 0 for success and -1 for failure (closed port or a
// failed system call) unless stated otherwise. Every operation on a closed
// port is harmless.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens port number `port` (1 = "COM1") and reapplies the stored settings.
  virtual int Open(int port) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Pass -1 (and ' ' for the parity letter) to keep a stored value. Returns 0,
  // -1 when closed, or the system's error code when the settings are refused.
  virtual int SetParams(int baud, int byteSize, char parity, int stopBits, int flowControl) = 0;
  // Stores non-negative values even while closed; applies them when open.
  virtual int SetTimeouts(int readTotalMs, int readIntervalMs) = 0;
  virtual int SetBufferSizes(int inputSize, int outputSize) = 0;

  virtual int SetBreak(bool on) = 0;
  virtual int SetDTR(bool on) = 0;
  virtual int SetRTS(bool on) = 0;
  // 16 when CTS is on, 0 when off, -1 when closed or the status read failed.
  virtual int GetCTS() = 0;

  virtual void PurgeInput() = 0;
  virtual void PurgeOutput() = 0;
  // Bytes read (0 when the time-outs expired first), -1 on failure.
  virtual int Read(uint8_t* buffer, int count) = 0;
  // Bytes written, -1 on failure.
  virtual int Write(const uint8_t* buffer, int count) = 0;

  // How the user knows port `port`: "COM1", with the device path when known.
  virtual std::string PortLabel(int port) const = 0;
  // The devices the port numbers stand for from now on; a line with one
  // fixed device ignores it.
  virtual void UsePorts(const PortTable& ports) { (void)ports; }
};

}  // namespace liftvox
