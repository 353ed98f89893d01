#include "device/at90s.h"

#include <algorithm>
#include <array>
#include <string>

namespace liftvox {

namespace {

constexpr size_t kPageBytes = 64;
constexpr int kPollReads = 201;

uint8_t AddressHigh(uint32_t address) { return static_cast<uint8_t>(address >> 9); }
uint8_t AddressLow(uint32_t address) { return static_cast<uint8_t>((address >> 1) & 0xFF); }
uint8_t WithHighByteBit(uint8_t opcode, uint32_t address) {
  return static_cast<uint8_t>(opcode | ((address & 1) << 3));
}

void ShowProgress(DeviceJobObserver& observer, size_t position, size_t size) {
  const size_t maximum = size > 0 ? size - 1 : 0;
  const int percent = maximum > 0 ? static_cast<int>(position * 100 / maximum) : 0;
  observer.ProgressChanged(percent,
                           std::to_string(position) + "B / " + std::to_string(maximum) + "B");
}

}  // namespace

At90s::At90s(SerialPort& port, SpiTiming timing) : SPIBus(port, std::move(timing)) {}

At90s::~At90s() {
  SetLineChecks(false);  // a port that failed must not throw from here
  SetReset(false);
  timing_.sleepMs(30);
}

void At90s::Instruction(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4) {
  WriteByte(b1);
  WriteByte(b2);
  WriteByte(b3);
  WriteByte(b4);
}

int At90s::ProgrammingEnable() {
  Signature = 0;
  int result = -1;
  for (int pass = 0; pass < 4 && result == -1; ++pass) {
    ResetTarget();
    for (int attempt = 0; attempt < 32 && result == -1; ++attempt) {
      WriteByte(0xAC);
      WriteByte(0x53);
      const uint8_t echo = ReadByte();
      WriteByte(0x00);
      if (echo == 0x53) {
        result = 0;
        Signature = ReadSignature();
      } else {
        ReadBit();  // one extra clock shifts the alignment by one bit
      }
    }
  }
  return result;
}

int At90s::ChipErase() {
  Instruction(0xAC, 0x80, 0x00, 0x00);
  timing_.usDelay(EraseDelayMs * 1000);
  ProgrammingEnable();
  return 0;
}

uint32_t At90s::ReadSignature() {
  uint32_t value = 0;
  for (uint8_t index = 0; index < 3; ++index) {
    WriteByte(0x30);
    WriteByte(0x00);
    WriteByte(index);
    value |= static_cast<uint32_t>(ReadByte()) << (8 * index);
  }
  return value;
}

uint8_t At90s::ReadProgramByte(uint32_t address) {
  WriteByte(WithHighByteBit(0x20, address));
  WriteByte(AddressHigh(address));
  WriteByte(AddressLow(address));
  return ReadByte();
}

void At90s::WriteProgramByte(uint32_t address, uint8_t byte) {
  Instruction(WithHighByteBit(0x40, address), AddressHigh(address), AddressLow(address), byte);
}

int At90s::WriteProgramPage(uint32_t pageAddress, std::span<const uint8_t> data) {
  for (uint32_t i = 0; i < data.size(); ++i) {
    Instruction(WithHighByteBit(0x40, i), AddressHigh(i), AddressLow(i), data[i]);
  }
  Instruction(0x4C, AddressHigh(pageAddress), AddressLow(pageAddress), 0x00);
  for (uint32_t i = 0; i < data.size(); ++i) {
    if (WaitForWrite(pageAddress + i, data[i]) != 0) return -1;
  }
  return 0;
}

int At90s::WriteFuseLow(uint8_t fuses) {
  Instruction(0xAC, 0xA0, 0x00, fuses);
  timing_.usDelay(WriteDelayMs * 1000);
  return 0;
}

int At90s::WriteFuseHigh(uint8_t fuses) {
  Instruction(0xAC, 0xA8, 0x00, fuses);
  timing_.usDelay(WriteDelayMs * 1000);
  return 0;
}

int At90s::WaitForWrite(uint32_t address, uint8_t expected) {
  if (expected == 0x7F || expected == 0xFF) {
    timing_.usDelay(WriteDelayMs * 1000);
    return 0;
  }
  for (int read = 0; read < kPollReads; ++read) {
    if (ReadProgramByte(address) == expected) return 0;
  }
  return -1;
}

bool At90s::IsPageBlank(std::span<const uint8_t> data) {
  return std::all_of(data.begin(), data.end(), [](uint8_t byte) { return byte == 0xFF; });
}

int At90s::ProgramMemory(std::span<const uint8_t> data, DeviceJobObserver& observer) {
  if (Signature == kSignatureAt90s8515) return ProgramBytes(data, observer);
  if (Signature == kSignatureAtmega8515) return ProgramPages(data, observer);
  return -1;
}

int At90s::ProgramBytes(std::span<const uint8_t> data, DeviceJobObserver& observer) {
  for (size_t i = 0; i < data.size(); ++i) {
    if (observer.StopRequested()) return 0;
    if ((i + 1) % 64 == 0) ShowProgress(observer, i, data.size());
    if (data[i] == 0xFF) continue;  // the chip was erased before
    const auto address = static_cast<uint32_t>(i);
    WriteProgramByte(address, data[i]);
    if (WaitForWrite(address, data[i]) != 0) return -1;
  }
  return static_cast<int>(data.size());
}

int At90s::ProgramPages(std::span<const uint8_t> data, DeviceJobObserver& observer) {
  size_t p = 0;
  for (; p < data.size(); p += kPageBytes) {
    if (observer.StopRequested()) return 0;
    ShowProgress(observer, p, data.size());
    // A short last page is padded with erased bytes.
    std::array<uint8_t, kPageBytes> page;
    page.fill(0xFF);
    const size_t available = std::min(kPageBytes, data.size() - p);
    std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(p), available, page.begin());
    if (IsPageBlank(page)) continue;
    if (WriteProgramPage(static_cast<uint32_t>(p), page) != 0) return -1;
  }
  return static_cast<int>(p);
}

}  // namespace liftvox
