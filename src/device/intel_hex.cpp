#include "device/intel_hex.h"

#include "config/file_io.h"
#include "config/text_lines.h"

namespace liftvox {

namespace {

constexpr uint8_t kDataRecord = 0x00;
constexpr uint8_t kEndOfFileRecord = 0x01;

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

// One record: the result ParseHexRecord gives, and the record's type.
struct ParsedRecord {
  int result = 0;
  uint8_t type = 0;
  size_t address = 0;
};

ParsedRecord ParseRecord(std::string_view line, FirmwareImage& image) {
  while (!line.empty() && IsBlankOrControl(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlankOrControl(line.back())) line.remove_suffix(1);
  if (line.empty() || line.front() != ':') return {};

  const uint8_t count = HexByte(line, 2);
  const uint8_t addressHigh = HexByte(line, 4);
  const uint8_t addressLow = HexByte(line, 6);
  const uint8_t type = HexByte(line, 8);
  uint8_t sum = static_cast<uint8_t>(count + addressHigh + addressLow + type);
  const size_t address = static_cast<size_t>(addressHigh) * 256 + addressLow;

  if (type == kDataRecord) {
    for (size_t i = 0; i < count; ++i) {
      const uint8_t byte = HexByte(line, 10 + 2 * i);
      if (address + i >= image.size()) throw HexFormatError("data beyond the firmware buffer");
      image[address + i] = byte;
      sum = static_cast<uint8_t>(sum + byte);
    }
    sum = static_cast<uint8_t>(sum + HexByte(line, 10 + 2 * size_t{count}));
  } else if (type == kEndOfFileRecord) {
    sum = static_cast<uint8_t>(sum + HexByte(line, 10));
  } else {
    return {-1, type, address};
  }
  return {sum == 0 ? count : -1, type, address};
}

}  // namespace

int ParseHexRecord(std::string_view line, FirmwareImage& image) {
  return ParseRecord(line, image).result;
}

std::string LoadHexFile(const std::filesystem::path& file, FirmwareImage& image) {
  image.fill(0xFF);
  const std::string name = file.string();
  const FileBytes read = ReadBoundedFile(file, kMaxHexFileBytes);
  if (!read.bytes) return name + " " + DescribeFileReadError(read.error, kMaxHexFileBytes);
  const std::string_view text = *read.bytes;
  bool programData = false;
  bool endOfFile = false;
  int lineNumber = 0;
  try {
    for (std::size_t pos = 0; pos < text.size();) {
      ++lineNumber;
      const ParsedRecord record = ParseRecord(NextLine(text, pos), image);
      if (record.result < 0) return name + ": invalid record on line " + std::to_string(lineNumber);
      if (record.result == 0 && record.type != kEndOfFileRecord) continue;
      endOfFile = endOfFile || record.type == kEndOfFileRecord;
      programData =
          programData || (record.type == kDataRecord && record.address < kFirmwareProgramSize);
    }
  } catch (const HexFormatError& error) {
    return name + ": " + error.what() + " on line " + std::to_string(lineNumber);
  }
  // Anything else would be programmed as blank flash.
  if (!programData) return name + " holds no data for the first 8192 bytes: no firmware";
  if (!endOfFile) return name + " has no end-of-file record: it may be cut short";
  return {};
}

}  // namespace liftvox
