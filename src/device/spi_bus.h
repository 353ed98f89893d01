#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

#include "device/serial_port.h"

namespace liftvox {

// How the bit-banged bus waits: a busy microsecond delay inside transfers,
// a sleep for the reset sequence. Tests substitute a virtual clock.
struct SpiTiming {
  std::function<void(int32_t microseconds)> usDelay;
  std::function<void(int milliseconds)> sleepMs;
  static SpiTiming Real();
};

// A control line the port refused to set or read while line checks were on.
class SerialLineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A bit-banged SPI master on the serial port's control lines, through the
// programming adapter that inverts every line:
//   RESET = break (on: RESET low), SCK = RTS (set: SCK low),
//   MOSI = DTR (set: bit 0), MISO = CTS (on: bit 0).
// By default no operation reports an error: on a closed port, or one without
// modem lines, every bit reads 0, and the programming handshake is what finds
// no chip there. With line checks on, a refused line operation throws
// SerialLineError instead. The bus uses the port but does not own it; it
// closes the port when destroyed.
class SPIBus {
 public:
  explicit SPIBus(SerialPort& port, SpiTiming timing = SpiTiming::Real());
  virtual ~SPIBus();
  SPIBus(const SPIBus&) = delete;
  SPIBus& operator=(const SPIBus&) = delete;

  void SetReset(bool on) { Check(port_.SetBreak(on)); }
  void SetSck(bool high) { Check(port_.SetRTS(!high)); }
  void SetMosi(int bit) { Check(port_.SetDTR(bit == 0)); }
  int GetMiso() {
    const int cts = port_.GetCTS();
    Check(cts);
    return cts == 0 ? 1 : 0;
  }
  // Turn on once a chip has answered: the lines are then known to work, and a
  // refused one means the port itself failed (an adapter pulled out), which
  // must not pass for a chip that does not verify.
  void SetLineChecks(bool on) { lineChecks_ = on; }

  void WriteBit(int bit);
  int ReadBit();
  void WriteByte(uint8_t byte);
  uint8_t ReadByte();
  // A 20 ms RESET pulse with SCK low, then RESET held low: programming mode.
  void ResetTarget();

  int BitDelay() const { return bitDelay_; }

 protected:
  SerialPort& port_;
  SpiTiming timing_;
  int32_t bitDelay_ = 0;

 private:
  void Check(int result) const {
    if (lineChecks_ && result < 0) throw SerialLineError("the serial port refused a control line");
  }

  bool lineChecks_ = false;
};

}  // namespace liftvox
