#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/serial_port.h"
#include "device/spi_bus.h"

namespace liftvox::test {

// Time as the programmer's delays advance it, so busy periods and waits are
// exact and the tests do not sleep.
struct VirtualClock {
  int64_t microseconds = 0;
  SpiTiming Timing() {
    return SpiTiming{[this](int32_t us) { microseconds += us > 0 ? us : 0; },
                     [this](int ms) { microseconds += int64_t{ms} * 1000; }};
  }
};

// A serial port whose control lines reach an AT90S8515 or ATmega8515 in
// serial programming mode through the inverting adapter (break = RESET low,
// RTS set = SCK low, DTR set = MOSI low, CTS on = MISO low). It answers
// port 1 only. The chip follows its datasheet: it starts with its bit
// framing off by `misalignedBits` clocks, echoes 0x53 in the third byte of
// Programming Enable, and is busy for a while after each write: the
// AT90S8515 reads 0x7F at the byte being written, the ATmega8515 0xFF
// within the page being written. Flash bits can only be cleared by writes.
class AvrTarget final : public SerialPort {
 public:
  enum class Chip { At90s8515, Atmega8515 };

  AvrTarget(Chip chip, VirtualClock& clock, int misalignedBits = 0);

  // SerialPort: only the control lines do anything.
  int Open(int port) override;
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  int SetParams(int, int, char, int, int) override { return open_ ? 0 : -1; }
  int SetTimeouts(int, int) override { return open_ ? 0 : -1; }
  int SetBufferSizes(int, int) override { return open_ ? 0 : -1; }
  int SetBreak(bool on) override;
  int SetDTR(bool on) override;
  int SetRTS(bool on) override;
  int GetCTS() override;
  void PurgeInput() override {}
  void PurgeOutput() override {}
  int Read(uint8_t*, int) override { return open_ ? 0 : -1; }
  int Write(const uint8_t*, int count) override { return open_ ? count : -1; }
  std::string PortLabel(int port) const override { return "COM" + std::to_string(port); }

  std::vector<uint8_t> flash;  // 8192 bytes
  uint8_t fuseLow = 0xE1;
  uint8_t fuseHigh = 0xD9;
  bool connected = true;          // false: nothing answers, MISO floats high
  bool unplugged = false;         // true: the port refuses every line operation
  int instructionsWhileBusy = 0;  // instructions a real chip would have lost
  int chipErases = 0;
  int bytesWritten = 0;              // program-memory writes (byte or page loads)
  std::vector<std::string> lineLog;  // "DTR+", "RTS-", "BRK+", ...

 private:
  void ClockRising();
  void ClockFalling();
  void Execute();
  uint8_t ReadFlash(uint32_t wordAddress, bool highByte) const;
  bool Busy() const { return clock_.microseconds < busyUntil_; }

  Chip chip_;
  VirtualClock& clock_;
  int misalignedBits_;
  bool open_ = false;
  bool breakOn_ = false;
  bool rts_ = false;
  bool dtr_ = false;
  bool programming_ = false;  // RESET low after a pulse
  bool enabled_ = false;      // Programming Enable seen in step
  int bitCount_ = 0;
  std::array<uint8_t, 4> instruction_{};
  uint8_t output_ = 0;
  std::array<uint8_t, 64> pageBuffer_{};
  int64_t busyUntil_ = 0;
  int64_t busyAddress_ = -1;  // byte address (AT90S8515) or page start (ATmega8515)
};

}  // namespace liftvox::test
