#include "image/image_contents.h"

#include <algorithm>

#include "base/little_endian.h"
#include "image/adpcm.h"
#include "image/image_file.h"
#include "image/image_layout.h"
#include "image/memory_size.h"

namespace liftvox {
namespace {

namespace layout = image_layout;

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  void Require(uint64_t offset, uint64_t size, const char* what) const {
    if (offset + size > bytes_.size())
      throw ImageFormatError(std::string(what) + " lies outside the image");
  }
  uint32_t U8(uint64_t at, const char* what) const {
    Require(at, 1, what);
    return bytes_[at];
  }
  uint32_t U16(uint64_t at, const char* what) const {
    Require(at, 2, what);
    return ReadLittleEndian16(bytes_.data() + at);
  }
  uint32_t U32(uint64_t at, const char* what) const {
    Require(at, 4, what);
    return ReadLittleEndian32(bytes_.data() + at);
  }
  bool IsTerminator(uint64_t at) const {
    Require(at, layout::kRecordSize, "a sample list");
    for (int i = 0; i < layout::kRecordSize; ++i)
      if (bytes_[at + static_cast<uint64_t>(i)] != 0xFF) return false;
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
};

InspectedEntry ReadEntry(const Reader& reader, uint64_t slot) {
  InspectedEntry entry;
  entry.listOffset = reader.U16(slot, "the directory");
  const uint32_t flags = reader.U8(slot + 2, "the directory");
  const uint32_t low = reader.U8(slot + 3, "the directory");
  entry.priority = static_cast<int>(flags & 0x0F);
  switch (flags & 0x30) {
    case 0x10:
      entry.kind = "pin";
      entry.value = static_cast<int>(low) + 1;
      break;
    case 0x20:
      entry.kind = "bit";
      entry.value = static_cast<int>(low);
      break;
    default:
      entry.kind = "code";
      entry.value = static_cast<int>(low);
      break;
  }
  return entry;
}

InspectedRecord ReadRecord(const Reader& reader, uint64_t at) {
  return {static_cast<uint32_t>(at), reader.U16(at, "a record"), reader.U32(at + 2, "a record"),
          reader.U16(at + 6, "a record"), reader.U8(at + 8, "a record")};
}

// Reads the lists of all entries, each record once: the lists start in
// ascending order, and one that starts inside the list read last (up to and
// including its terminator) shares that list's records. A crafted directory
// whose entries all point at one long list thus costs that list once.
void ReadLists(const Reader& reader, InspectedImage& image, uint64_t listsStart,
               uint64_t listsEnd) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < image.entries.size(); ++i) {
    InspectedEntry& entry = image.entries[i];
    if (entry.listOffset % layout::kRecordSize != 0)
      entry.problem = ListProblem::NotOnRecordBoundary;
    else if (entry.listOffset < listsStart || entry.listOffset + layout::kRecordSize > listsEnd)
      entry.problem = ListProblem::OutsideLists;
    else
      order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(), [&image](std::size_t a, std::size_t b) {
    return image.entries[a].listOffset < image.entries[b].listOffset;
  });

  bool inList = false;
  uint64_t listStart = 0;
  uint64_t listEnd = 0;  // the terminator's offset, or where the lists end
  bool ended = false;
  std::size_t firstRecord = 0;
  for (const std::size_t i : order) {
    InspectedEntry& entry = image.entries[i];
    if (!inList || entry.listOffset > listEnd) {
      inList = true;
      listStart = entry.listOffset;
      firstRecord = image.records.size();
      uint64_t at = listStart;
      while (at + layout::kRecordSize <= listsEnd && !reader.IsTerminator(at)) {
        image.records.push_back(ReadRecord(reader, at));
        at += layout::kRecordSize;
      }
      listEnd = at;
      ended = at + layout::kRecordSize <= listsEnd;
    }
    if (!ended) {
      entry.problem = ListProblem::NoEnd;
      continue;
    }
    entry.firstRecord = firstRecord + (entry.listOffset - listStart) / layout::kRecordSize;
    entry.recordCount = (listEnd - entry.listOffset) / layout::kRecordSize;
  }
}

// Marks the records whose data no builder would write: the data must follow
// the parameter block's page, end inside the used part of the image, and
// overlap no other recording (records of one recording stored once carry the
// same page and length).
void CheckRecords(InspectedImage& image, uint64_t usedEnd) {
  const uint64_t pageSize = static_cast<uint64_t>(image.pageSize);
  const uint64_t dataStart = (static_cast<uint64_t>(image.dataStartPage) + 1) * pageSize;
  struct Span {
    uint64_t start, end;
    std::size_t record;
  };
  std::vector<Span> spans;
  for (std::size_t i = 0; i < image.records.size(); ++i) {
    InspectedRecord& record = image.records[i];
    if (record.type == layout::kSilenceRecord) continue;
    if (record.type != layout::kWavRecord) {
      record.problem = RecordProblem::UnknownType;
      continue;
    }
    const uint64_t start = uint64_t{record.page} * pageSize;
    const uint64_t end = start + (uint64_t{record.length} + 1) / 2;
    if (start < dataStart)
      record.problem = RecordProblem::InHeader;
    else if (end > usedEnd)
      record.problem = RecordProblem::PastUsedMemory;
    else
      spans.push_back({start, end, i});
  }
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
    return a.start != b.start ? a.start < b.start : a.end < b.end;
  });
  // Groups of equal spans; a group that starts before the farthest end seen
  // overlaps the group that reached it.
  std::vector<std::pair<std::size_t, std::size_t>> groups;  // [first, last) in spans
  std::vector<bool> overlapping;
  uint64_t reach = 0;
  std::size_t reachGroup = 0;
  for (std::size_t first = 0; first < spans.size();) {
    std::size_t last = first + 1;
    while (last < spans.size() && spans[last].start == spans[first].start &&
           spans[last].end == spans[first].end)
      ++last;
    const Span& span = spans[first];
    groups.emplace_back(first, last);
    overlapping.push_back(false);
    if (span.start < reach && span.end > span.start) {
      overlapping.back() = true;
      overlapping[reachGroup] = true;
    }
    if (span.end > reach) {
      reach = span.end;
      reachGroup = groups.size() - 1;
    }
    first = last;
  }
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (!overlapping[g]) continue;
    for (std::size_t s = groups[g].first; s < groups[g].second; ++s)
      image.records[spans[s].record].problem = RecordProblem::Overlaps;
  }
}

}  // namespace

const char* DescribeRecordProblem(RecordProblem problem) {
  switch (problem) {
    case RecordProblem::None:
      return "";
    case RecordProblem::UnknownType:
      return "of no known type";
    case RecordProblem::InHeader:
      return "its data starts in the header, the directory or the parameter block";
    case RecordProblem::PastUsedMemory:
      return "its data runs past the used memory";
    case RecordProblem::Overlaps:
      return "its data overlaps another recording's";
  }
  return "";
}

const char* DescribeListProblem(ListProblem problem) {
  switch (problem) {
    case ListProblem::None:
      return "";
    case ListProblem::NotOnRecordBoundary:
      return "its list does not start on a record";
    case ListProblem::OutsideLists:
      return "its list lies outside the sample lists";
    case ListProblem::NoEnd:
      return "its list has no end";
  }
  return "";
}

std::optional<std::string> FirstImageProblem(std::span<const uint8_t> image, int memoryCode) {
  InspectedImage inspected;
  try {
    inspected = InspectImage(image, memoryCode);
  } catch (const ImageFormatError& error) {
    return error.what();
  }
  for (std::size_t i = 0; i < inspected.entries.size(); ++i) {
    const InspectedEntry& entry = inspected.entries[i];
    if (entry.problem != ListProblem::None)
      return "directory entry " + std::to_string(i) + " (" + entry.kind + " " +
             std::to_string(entry.value) + "): " + DescribeListProblem(entry.problem);
  }
  for (const InspectedRecord& record : inspected.records) {
    if (record.problem != RecordProblem::None)
      return "the sample record at byte " + std::to_string(record.offset) + ": " +
             DescribeRecordProblem(record.problem);
  }
  return std::nullopt;
}

InspectedImage InspectImage(std::span<const uint8_t> image, int memoryCode) {
  const int pageSize = PageSizeForMemory(memoryCode);
  if (pageSize <= 0)
    throw ImageFormatError("unknown memory size code " + std::to_string(memoryCode));
  const Reader reader(image);
  InspectedImage result;
  result.memoryCode = memoryCode;
  result.pageSize = pageSize;
  result.dataStartPage = static_cast<int>(reader.U16(layout::kDataStartPage, "the header"));
  result.endPage = static_cast<int>(reader.U16(layout::kEndPage, "the header"));
  const uint64_t block = uint64_t(result.dataStartPage) * uint64_t(pageSize);
  reader.Require(block, layout::kConfigText, "the parameter block");

  // Directory slots run up to the first sample list; the rest is padding.
  const uint32_t firstList = reader.U16(layout::kDirectory, "the directory");
  if (firstList != 0xFFFF) {
    for (uint64_t slot = layout::kDirectory; slot + 4 <= firstList; slot += 4) {
      if (reader.U16(slot, "the directory") == 0xFFFF) break;
      result.entries.push_back(ReadEntry(reader, slot));
    }
  }
  ReadLists(reader, result, firstList, block);
  const uint64_t usedEnd =
      std::min<uint64_t>(uint64_t(result.endPage) * uint64_t(pageSize), image.size());
  CheckRecords(result, usedEnd);

  result.nonFloorEntries =
      static_cast<int>(reader.U8(block + layout::kNonFloorEntries, "the parameter block"));
  result.interfaceCode =
      static_cast<int>(reader.U8(block + layout::kInterface, "the parameter block"));
  for (int pin = 1; pin <= 7; ++pin)
    result.pinRepeat[static_cast<std::size_t>(pin - 1)] = static_cast<int>(
        reader.U8(block + layout::kPinRepeat + static_cast<uint64_t>(pin), "the parameter block"));
  for (int bit = 8; bit <= 23; ++bit)
    result.bitRepeat[static_cast<std::size_t>(bit - 8)] = static_cast<int>(
        reader.U8(block + layout::kBitRepeat + static_cast<uint64_t>(bit), "the parameter block"));
  for (int i = 0; i < 3; ++i)
    result.parallelMasks[static_cast<std::size_t>(i)] = static_cast<int>(reader.U8(
        block + layout::kParallelMaskA + static_cast<uint64_t>(i), "the parameter block"));
  result.serialMask =
      static_cast<int>(reader.U16(block + layout::kSerialMask, "the parameter block"));
  result.configLength = reader.U32(block + layout::kConfigLength, "the parameter block");
  result.configText = StoredConfigurationText(image, pageSize);
  return result;
}

std::vector<StoredRecording> RecordingsToExtract(const InspectedImage& image) {
  std::vector<StoredRecording> recordings;
  for (const InspectedRecord& record : image.records)
    if (record.type == layout::kWavRecord && record.problem == RecordProblem::None)
      recordings.push_back({record.page, record.length});
  std::sort(recordings.begin(), recordings.end(), [](const auto& a, const auto& b) {
    return a.page != b.page ? a.page < b.page : a.length < b.length;
  });
  recordings.erase(std::unique(recordings.begin(), recordings.end()), recordings.end());
  return recordings;
}

std::vector<uint8_t> DecodeStoredSample(std::span<const uint8_t> image, int pageSize, uint32_t page,
                                        uint32_t length) {
  const uint64_t start = uint64_t(page) * uint64_t(pageSize);
  const uint64_t bytes = (uint64_t(length) + 1) / 2;
  if (start + bytes > image.size()) throw ImageFormatError("a sample reaches past the image");
  std::vector<uint8_t> samples(length);
  AdpcmState state;
  adpcm_decoder(image.data() + start, samples.data(), static_cast<int32_t>(length), state);
  return samples;
}

}  // namespace liftvox
