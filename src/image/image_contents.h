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

// What is wrong with one sample record. A record with a problem is shown but
// its data is never decoded.
enum class RecordProblem {
  None,
  UnknownType,     // neither a recording (2) nor a silence (3)
  InHeader,        // its data starts at or before the parameter block's page
  PastUsedMemory,  // its data runs past the used part of the image
  Overlaps,        // its data overlaps another recording's data
};

// What is wrong with an entry's sample list; such a list has no records.
enum class ListProblem {
  None,
  NotOnRecordBoundary,  // lists lie in whole 16-byte records from byte 0
  OutsideLists,         // before the first list or not before the parameter block
  NoEnd,                // no terminator before the parameter block
};

// English, for showing beside the record or entry.
const char* DescribeRecordProblem(RecordProblem problem);
const char* DescribeListProblem(ListProblem problem);

struct InspectedRecord {
  uint32_t offset = 0;  // of the record in the image
  uint32_t page = 0;
  uint32_t length = 0;  // samples
  uint32_t pattern = 0;
  uint32_t type = 0;  // 2 = recording, 3 = silence
  RecordProblem problem = RecordProblem::None;
};

struct InspectedEntry {
  std::string kind;  // "code", "pin" or "bit"
  int value = 0;     // the code, the input 1..7 or the serial bit
  int priority = 0;
  uint32_t listOffset = 0;  // where the directory says its records start
  ListProblem problem = ListProblem::None;
  // Its records are InspectedImage::records[firstRecord, firstRecord + recordCount).
  std::size_t firstRecord = 0;
  std::size_t recordCount = 0;
};

// What a memory image says about itself, read back from its bytes.
struct InspectedImage {
  int memoryCode = 0;
  int pageSize = 0;
  int dataStartPage = 0;
  int endPage = 0;
  std::vector<InspectedEntry> entries;
  // Every record of the sample lists once, in image order. Entries whose
  // lists start at the same record, or inside another list, share records,
  // as they share them in the image.
  std::vector<InspectedRecord> records;
  int nonFloorEntries = 0;
  int interfaceCode = 0;
  std::array<int, 7> pinRepeat{};   // pins 1..7
  std::array<int, 16> bitRepeat{};  // serial bits 8..23
  std::array<int, 3> parallelMasks{};
  int serialMask = 0;
  uint32_t configLength = 0;  // text + terminating zero; 0 when none is stored
  std::optional<std::string> configText;

  std::span<const InspectedRecord> RecordsOf(const InspectedEntry& entry) const {
    return std::span(records).subspan(entry.firstRecord, entry.recordCount);
  }
};

// Reads the directory, sample lists and parameter block of the used part of
// an image built for `memoryCode`. Each record is read once however many
// entries reach it, so the work and the result grow with the image, not with
// what its fields claim. Records and lists that point where no builder puts
// them are marked with their problem. Throws ImageFormatError when the header
// or the parameter block lies outside the bytes given; never reads outside
// them.
InspectedImage InspectImage(std::span<const uint8_t> image, int memoryCode);

// The first thing InspectImage finds wrong with an image, in English, for
// refusing to program it: a header or parameter block outside the bytes, then
// the first entry whose list has a problem, then the first record with one.
// Nothing when the image is as a build writes it.
std::optional<std::string> FirstImageProblem(std::span<const uint8_t> image, int memoryCode);

// One stored recording: `length` samples of ADPCM from `page`.
struct StoredRecording {
  uint32_t page = 0;
  uint32_t length = 0;
  friend bool operator==(const StoredRecording&, const StoredRecording&) = default;
};

// The recordings of records without problems, each once, by page. Their data
// lies inside the used part of the image and does not overlap, so decoding
// them all yields at most two samples per used byte.
std::vector<StoredRecording> RecordingsToExtract(const InspectedImage& image);

// Decodes `length` ADPCM samples stored from `page` to 8-bit samples.
// Throws ImageFormatError when they reach past the image.
std::vector<uint8_t> DecodeStoredSample(std::span<const uint8_t> image, int pageSize, uint32_t page,
                                        uint32_t length);

}  // namespace liftvox
