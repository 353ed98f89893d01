#include "image/image_contents.h"

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

InspectedEntry ReadEntry(const Reader& reader, uint64_t slot, uint64_t listsEnd) {
  const uint32_t first = reader.U16(slot, "the directory");
  const uint32_t flags = reader.U8(slot + 2, "the directory");
  const uint32_t low = reader.U8(slot + 3, "the directory");
  InspectedEntry entry;
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
  for (uint64_t at = first;; at += layout::kRecordSize) {
    if (at + layout::kRecordSize > listsEnd) throw ImageFormatError("a sample list has no end");
    if (reader.IsTerminator(at)) break;
    entry.records.push_back({reader.U16(at, "a record"), reader.U32(at + 2, "a record"),
                             reader.U16(at + 6, "a record"), reader.U8(at + 8, "a record")});
  }
  return entry;
}

}  // namespace

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
      result.entries.push_back(ReadEntry(reader, slot, block));
    }
  }

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
