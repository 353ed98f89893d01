#include "device/spi_bus.h"

#include <chrono>
#include <thread>

#include "device/us_delay.h"

namespace liftvox {

SpiTiming SpiTiming::Real() {
  return SpiTiming{UsDelay, [](int milliseconds) {
                     std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
                   }};
}

SPIBus::SPIBus(SerialPort& port, SpiTiming timing) : port_(port), timing_(std::move(timing)) {
  // Opening a tty raises DTR and RTS; put SCK low and MOSI high at once.
  SetSck(false);
  SetMosi(1);
}

SPIBus::~SPIBus() { port_.Close(); }

void SPIBus::WriteBit(int bit) {
  SetSck(false);
  SetMosi(bit);
  timing_.usDelay(bitDelay_);
  SetSck(true);  // the target samples MOSI on this rising edge
  timing_.usDelay(bitDelay_);
  SetSck(false);
}

int SPIBus::ReadBit() {
  SetSck(false);
  timing_.usDelay(bitDelay_);
  SetSck(true);
  timing_.usDelay(bitDelay_);
  const int bit = GetMiso();
  SetSck(false);
  return bit;
}

void SPIBus::WriteByte(uint8_t byte) {
  SetSck(false);
  for (int bit = 7; bit >= 0; --bit) WriteBit((byte >> bit) & 1);
}

uint8_t SPIBus::ReadByte() {
  SetSck(false);
  uint8_t byte = 0;
  for (int i = 0; i < 8; ++i) byte = static_cast<uint8_t>((byte << 1) | ReadBit());
  return byte;
}

void SPIBus::ResetTarget() {
  bitDelay_ = 6;
  SetSck(false);
  SetMosi(1);
  timing_.sleepMs(20);
  SetReset(false);
  timing_.sleepMs(20);
  SetReset(true);
  timing_.sleepMs(30);
}

}  // namespace liftvox
