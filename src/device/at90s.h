#pragma once

#include <cstdint>
#include <span>

#include "device/device_job_observer.h"
#include "device/spi_bus.h"

namespace liftvox {

// Signatures of the two chips the announcer is built with.
constexpr uint32_t kSignatureAt90s8515 = 0x01931E;   // flash written byte by byte
constexpr uint32_t kSignatureAtmega8515 = 0x06931E;  // flash written in 64-byte pages

// The AVR serial programming instruction set over the SPI bus. Addresses are
// flash byte addresses (bit 0 chooses the high byte of the word). While the
// object lives the AVR is held in reset after the first ResetTarget; its
// destruction releases RESET, so the new firmware starts, and closes the port.
class At90s : public SPIBus {
 public:
  explicit At90s(SerialPort& port, SpiTiming timing = SpiTiming::Real());
  ~At90s() override;

  // Resets and synchronises (4 passes of up to 32 attempts, each failure
  // shifting the bit alignment by one clock); 0 in programming mode, -1 when
  // the chip never echoed. Reads `Signature` on success, else leaves it 0.
  virtual int ProgrammingEnable();
  // Erases flash, waits, and enables programming again (result not examined).
  int ChipErase();
  uint32_t ReadSignature();
  uint8_t ReadProgramByte(uint32_t address);
  void WriteProgramByte(uint32_t address, uint8_t byte);
  // Loads 64 bytes into the page buffer, writes the page at `pageAddress`,
  // then polls every byte; -1 when one never verified.
  int WriteProgramPage(uint32_t pageAddress, std::span<const uint8_t> data);
  int WriteFuseLow(uint8_t fuses);
  int WriteFuseHigh(uint8_t fuses);
  // Data polling: 0 as soon as the byte reads back (a fixed wait for 0x7F and
  // 0xFF, which polling cannot tell from busy), -1 after 201 reads.
  int WaitForWrite(uint32_t address, uint8_t expected);
  // Writes `data` into an erased chip by the procedure its signature calls
  // for, skipping 0xFF bytes (byte procedure) or blank pages (page
  // procedure). Returns the bytes covered, 0 when stopped through
  // `observer`, -1 on a byte that never verified or an unsupported chip.
  int ProgramMemory(std::span<const uint8_t> data, DeviceJobObserver& observer);
  static bool IsPageBlank(std::span<const uint8_t> data);

  uint32_t Signature = 0;
  int32_t EraseDelayMs = 30;
  int32_t WriteDelayMs = 4;

 private:
  void Instruction(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4);
  int ProgramBytes(std::span<const uint8_t> data, DeviceJobObserver& observer);
  int ProgramPages(std::span<const uint8_t> data, DeviceJobObserver& observer);
};

}  // namespace liftvox
