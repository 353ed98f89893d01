#pragma once

#include <string>

#include "device/serial_port.h"

namespace liftvox::test {

// A port for tests that script only what is read and written: it opens, and
// every setting and control line simply succeeds.
class QuietSerialPort : public SerialPort {
 public:
  int Open(int) override {
    open_ = true;
    return 0;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  int SetParams(int, int, char, int, int) override { return 0; }
  int SetTimeouts(int, int) override { return 0; }
  int SetBufferSizes(int, int) override { return 0; }
  int SetBreak(bool) override { return 0; }
  int SetDTR(bool) override { return 0; }
  int SetRTS(bool) override { return 0; }
  int GetCTS() override { return 0; }
  void PurgeInput() override {}
  void PurgeOutput() override {}
  int Write(const uint8_t*, int count) override { return count; }
  std::string PortLabel(int port) const override { return "COM" + std::to_string(port); }

 private:
  bool open_ = false;
};

}  // namespace liftvox::test
