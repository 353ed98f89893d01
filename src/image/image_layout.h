#pragma once

#include <cstdint>
#include <vector>

namespace liftvox {

class TPametRevazie;
class TSekvence;

// Field positions of the announcer's memory image; all fields little-endian.
namespace image_layout {
inline constexpr int kDataStartPage = 0;  // u16: page of the parameter block
inline constexpr int kEndPage = 2;        // u16: first page after the used part
inline constexpr int kDirectory = 4;      // 4 bytes per directory entry
inline constexpr int kRecordSize = 16;
inline constexpr uint8_t kWavRecord = 2;
inline constexpr uint8_t kSilenceRecord = 3;

// Offsets inside the parameter block.
inline constexpr int kConfigLengthOffset = 0;  // u16 36: where the length field is
inline constexpr int kNonFloorEntries = 2;
inline constexpr int kLastEntry = 3;  // E - 1
inline constexpr int kInterface = 4;
inline constexpr int kPinRepeat = 4;  // + pin 1..7
inline constexpr int kConstant700 = 12;
inline constexpr int kParallelMaskA = 14;
inline constexpr int kParallelMaskB = 15;
inline constexpr int kParallelMaskC = 16;
inline constexpr int kSerialMask = 18;
inline constexpr int kBitRepeat = 12;  // + bit 8..23
inline constexpr int kConfigLength = 36;
inline constexpr int kConfigText = 40;
}  // namespace image_layout

// One directory entry: what starts a sequence.
struct ImageEntry {
  const TSekvence* sequence;
  uint16_t trigger;  // 0x1000 | (pin - 1), 0x2000 | bit, or the code
};

// The entries of the whole configuration in image order: per sequence its
// pin entry, then its bit entry, or else one code entry.
std::vector<ImageEntry> ImageEntries(const TPametRevazie& document);

// The counts both the builder and the estimate start from.
struct ImageCounts {
  int entries = 0;  // E
  int records = 0;  // R: one per sample per entry
  int nonFloorEntries = 0;
  int firstRecordOffset = 0;  // T: 4 + 4E rounded up to 16
  // T + 16 (R + E): where the sample lists end. Record offsets are 16 bits,
  // so this must not pass 65536.
  int64_t listsEnd = 0;
};
ImageCounts CountImage(const TPametRevazie& document);

inline int64_t CeilDiv(int64_t numerator, int64_t denominator) {
  return (numerator + denominator - 1) / denominator;
}

}  // namespace liftvox
