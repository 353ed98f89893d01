#pragma once

#include <cstdint>
#include <functional>

#include "device/serial_port.h"

namespace liftvox {

// How the bit-banged bus waits: a busy microsecond delay inside transfers,
// a sleep for the reset sequence. Tests substitute a virtual clock.
struct SpiTiming {
  std::function<void(int32_t microseconds)> usDelay;
  std::function<void(int milliseconds)> sleepMs;
  static SpiTiming Real();
};

// A bit-banged SPI master on the serial port's control lines, through the
// programming adapter that inverts every line:
//   RESET = break (on: RESET low), SCK = RTS (set: SCK low),
//   MOSI = DTR (set: bit 0), MISO = CTS (on: bit 0).
// No operation reports an error; on a closed port every bit reads 0. The bus
// uses the port but does not own it; it closes the port when destroyed.
class SPIBus {
 public:
  explicit SPIBus(SerialPort& port, SpiTiming timing = SpiTiming::Real());
  virtual ~SPIBus();
  SPIBus(const SPIBus&) = delete;
  SPIBus& operator=(const SPIBus&) = delete;

  void SetReset(bool on) { port_.SetBreak(on); }
  void SetSck(bool high) { port_.SetRTS(!high); }
  void SetMosi(int bit) { port_.SetDTR(bit == 0); }
  int GetMiso() { return port_.GetCTS() == 0 ? 1 : 0; }

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
};

}  // namespace liftvox
