#include "device/intel_hex.h"

#include <fstream>

namespace liftvox {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The byte at 1-based column `column` and the one after it.
uint8_t HexByte(std::string_view line, size_t column) {
  const size_t index = column - 1;
  if (index + 1 >= line.size()) throw HexFormatError("record too short");
  const int high = HexDigit(line[index]);
  const int low = HexDigit(line[index + 1]);
  if (high < 0 || low < 0) throw HexFormatError("not a hexadecimal field");
  return static_cast<uint8_t>(high * 16 + low);
}

}  // namespace

int ParseHexRecord(std::string_view line, FirmwareImage& image) {
  while (!line.empty() && IsBlankOrControl(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlankOrControl(line.back())) line.remove_suffix(1);
  if (line.empty() || line.front() != ':') return 0;

  const uint8_t count = HexByte(line, 2);
  const uint8_t addressHigh = HexByte(line, 4);
  const uint8_t addressLow = HexByte(line, 6);
  const uint8_t type = HexByte(line, 8);
  uint8_t sum = static_cast<uint8_t>(count + addressHigh + addressLow + type);
  const size_t address = static_cast<size_t>(addressHigh) * 256 + addressLow;

  if (type == 0x00) {
    for (size_t i = 0; i < count; ++i) {
      const uint8_t byte = HexByte(line, 10 + 2 * i);
      if (address + i >= image.size()) throw HexFormatError("data beyond the firmware buffer");
      image[address + i] = byte;
      sum = static_cast<uint8_t>(sum + byte);
    }
    sum = static_cast<uint8_t>(sum + HexByte(line, 10 + 2 * size_t{count}));
  } else if (type == 0x01) {
    sum = static_cast<uint8_t>(sum + HexByte(line, 10));
  } else {
    return -1;
  }
  return sum == 0 ? count : -1;
}

std::string LoadHexFile(const std::filesystem::path& file, FirmwareImage& image) {
  image.fill(0xFF);
  std::ifstream in(file, std::ios::binary);
  if (!in) return "cannot open " + file.string();
  std::string line;
  int lineNumber = 0;
  try {
    while (std::getline(in, line)) {
      ++lineNumber;
      if (ParseHexRecord(line, image) < 0) {
        return "invalid record on line " + std::to_string(lineNumber);
      }
    }
  } catch (const HexFormatError& error) {
    return std::string(error.what()) + " on line " + std::to_string(lineNumber);
  }
  if (in.bad()) return "cannot read " + file.string();
  return {};
}

}  // namespace liftvox
