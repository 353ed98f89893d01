#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace liftvox {

// Memory image files (.bin): the used part of an image followed by one byte,
// the memory-size code the image was built for. No header, no checksum.

// What went wrong with an image file, for the caller's message.
enum class ImageFileError {
  None,
  UnableLoadFile,   // cannot open or read ("UnableLoadFile")
  FileForMemory,    // built for another memory size ("FileForMemory")
  BadFileFormat,    // empty, or longer than the memory ("BadFileFormat")
  UnableWriteFile,  // cannot write ("UnableWriteFile")
};

// N, the number of image bytes a file carries: EndPage x page size from the
// image header, or the used size - 1 when that is not below the memory size
// (so the file is never longer than the memory). Never negative.
int64_t ImageFileDataLength(std::span<const uint8_t> image, int64_t memorySize, int64_t usedSize,
                            int pageSize);

// Writes the first N bytes and the code through a temporary file and a
// rename; an existing file is left untouched on failure.
ImageFileError SaveMemoryImageFile(const std::filesystem::path& file,
                                   std::span<const uint8_t> image, int64_t memorySize,
                                   int64_t usedSize, int memoryCode);

struct LoadedMemoryImage {
  ImageFileError error = ImageFileError::None;
  int fileCode = -1;           // the code byte found (for "FileForMemory")
  std::vector<uint8_t> bytes;  // the file without its code byte
  int64_t usedSize = 0;        // file length - 1
};

// Loads a file for a memory of `memorySize` bytes and code `memoryCode`.
LoadedMemoryImage LoadMemoryImageFile(const std::filesystem::path& file, int memoryCode,
                                      int64_t memorySize);

// Where the stored configuration record lies in an image: the text starts at
// `textOffset` and has `textLength` bytes (the stored length less its
// terminating zero).
struct StoredConfiguration {
  size_t blockOffset = 0;    // the parameter block
  size_t recordOffset = 0;   // the 32-bit length field
  int32_t storedLength = 0;  // the length field: text + terminating zero
  size_t textOffset = 0;
  size_t textLength = 0;
};

// Finds the configuration stored in the first `image.size()` bytes: the
// parameter block at page DataStartPage, the offset of the length field in
// its first two bytes, the length there. Nothing when the image holds none
// (length 0), or when any part of it (block, field, text) lies outside the
// bytes given or the length is negative.
std::optional<StoredConfiguration> FindStoredConfiguration(std::span<const uint8_t> image,
                                                           int pageSize);

// The stored configuration text's bytes (as in a .cfg file), or nothing.
std::optional<std::string> StoredConfigurationText(std::span<const uint8_t> image, int pageSize);

// The interface number the image was built for: byte 4 of the parameter
// block; -1 when the block lies outside the image.
int ImageInterfaceNumber(std::span<const uint8_t> image, int pageSize);

}  // namespace liftvox
