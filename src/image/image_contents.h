#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace liftvox {

// An image whose structure points outside itself.
class ImageFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct InspectedRecord {
  uint32_t page = 0;
  uint32_t length = 0;  // samples
  uint32_t pattern = 0;
  uint32_t type = 0;  // 2 = recording, 3 = silence
};

struct InspectedEntry {
  std::string kind;  // "code", "pin" or "bit"
  int value = 0;     // the code, the input 1..7 or the serial bit
  int priority = 0;
  std::vector<InspectedRecord> records;
};

// What a memory image says about itself, read back from its bytes.
struct InspectedImage {
  int memoryCode = 0;
  int pageSize = 0;
  int dataStartPage = 0;
  int endPage = 0;
  std::vector<InspectedEntry> entries;
  int nonFloorEntries = 0;
  int interfaceCode = 0;
  std::array<int, 7> pinRepeat{};   // pins 1..7
  std::array<int, 16> bitRepeat{};  // serial bits 8..23
  std::array<int, 3> parallelMasks{};
  int serialMask = 0;
  uint32_t configLength = 0;  // text + terminating zero; 0 when none is stored
  std::optional<std::string> configText;
};

// Reads the directory, sample lists and parameter block of the used part of
// an image built for `memoryCode`. Throws ImageFormatError when a field
// points outside the bytes given; never reads outside them.
InspectedImage InspectImage(std::span<const uint8_t> image, int memoryCode);

// Decodes `length` ADPCM samples stored from `page` to 8-bit samples.
// Throws ImageFormatError when they reach past the image.
std::vector<uint8_t> DecodeStoredSample(std::span<const uint8_t> image, int pageSize, uint32_t page,
                                        uint32_t length);

}  // namespace liftvox
