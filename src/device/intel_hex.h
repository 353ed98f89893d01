#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace liftvox {

// The firmware buffer: 8704 bytes, of which the first 8192 are programmed;
// data at 8192..8703 is accepted and not programmed.
constexpr size_t kFirmwareImageSize = 0x2200;
constexpr size_t kFirmwareProgramSize = 8192;
using FirmwareImage = std::array<uint8_t, kFirmwareImageSize>;

// A HEX line whose fields are not hexadecimal or whose data lies beyond the
// buffer.
class HexFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One line of an Intel HEX file (data and end-of-file records only): the
// record's byte count when valid, 0 for a line that is not a record (empty or
// without the leading ':'), -1 for an invalid type or checksum. Data goes
// into `image`. Throws HexFormatError (see above).
int ParseHexRecord(std::string_view line, FirmwareImage& image);

// The longest HEX file read: the whole buffer in one-byte records is about
// 120 kB; the rest leaves room for comments and other lines that are no
// records.
constexpr std::uintmax_t kMaxHexFileBytes = 1u << 20;

// Fills `image` with 0xFF and reads every record of `file`, a regular file of
// at most kMaxHexFileBytes, also after an end-of-file record. A file with no
// data for the programmed 8192 bytes (an empty file, any other text) or
// without an end-of-file record is refused, as it would program blank or
// partial flash. Empty string on success, else why the load failed, in
// English and naming the file.
std::string LoadHexFile(const std::filesystem::path& file, FirmwareImage& image);

}  // namespace liftvox
