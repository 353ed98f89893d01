#include "image/image_file.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "base/little_endian.h"
#include "config/file_io.h"
#include "image/memory_size.h"

namespace liftvox {

int64_t ImageFileDataLength(std::span<const uint8_t> image, int64_t memorySize, int64_t usedSize,
                            int pageSize) {
  int64_t length = image.size() >= 4 ? int64_t{ReadLittleEndian16(image.data() + 2)} * pageSize : 0;
  if (length >= memorySize) length = usedSize - 1;
  length = std::min<int64_t>(length, static_cast<int64_t>(image.size()));
  return std::max<int64_t>(length, 0);
}

ImageFileError SaveMemoryImageFile(const std::filesystem::path& file,
                                   std::span<const uint8_t> image, int64_t memorySize,
                                   int64_t usedSize, int memoryCode) {
  const int pageSize = PageSizeForMemory(memoryCode);
  const auto length =
      static_cast<size_t>(ImageFileDataLength(image, memorySize, usedSize, pageSize));
  std::string bytes(reinterpret_cast<const char*>(image.data()), length);
  bytes.push_back(static_cast<char>(memoryCode));
  return WriteFileAtomically(file, bytes) ? ImageFileError::None : ImageFileError::UnableWriteFile;
}

LoadedMemoryImage LoadMemoryImageFile(const std::filesystem::path& file, int memoryCode,
                                      int64_t memorySize) {
  LoadedMemoryImage loaded;
  loaded.error = ImageFileError::UnableLoadFile;
  std::error_code error;
  // Only a regular file has a last byte to read; a FIFO or a device would
  // block or never end.
  if (!std::filesystem::is_regular_file(file, error)) return loaded;
  const auto fileSize = std::filesystem::file_size(file, error);
  if (error || fileSize == 0) return loaded;  // not even the code byte can be read
  const auto largest = static_cast<std::uintmax_t>(std::max<int64_t>(memorySize, 0)) + 1;
  // A file that cannot fit is judged by its code byte alone, never read whole.
  if (fileSize > largest) {
    std::ifstream in(file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(fileSize - 1));
    char code = 0;
    if (!in.get(code)) return loaded;
    loaded.fileCode = static_cast<uint8_t>(code);
    loaded.error = loaded.fileCode != memoryCode ? ImageFileError::FileForMemory
                                                 : ImageFileError::BadFileFormat;
    return loaded;
  }
  FileBytes read = ReadBoundedFile(file, largest);
  if (!read.bytes || read.bytes->empty()) {
    // One that grew past the memory while it was read is as long as one that was.
    if (read.error == FileReadError::TooLarge) loaded.error = ImageFileError::BadFileFormat;
    return loaded;
  }
  const std::string& bytes = *read.bytes;
  loaded.fileCode = static_cast<uint8_t>(bytes.back());
  if (loaded.fileCode != memoryCode) {
    loaded.error = ImageFileError::FileForMemory;
    return loaded;
  }
  if (static_cast<int64_t>(bytes.size()) > memorySize) {
    loaded.error = ImageFileError::BadFileFormat;
    return loaded;
  }
  loaded.error = ImageFileError::None;
  loaded.bytes.assign(bytes.begin(), bytes.end() - 1);
  loaded.usedSize = static_cast<int64_t>(loaded.bytes.size());
  return loaded;
}

std::optional<StoredConfiguration> FindStoredConfiguration(std::span<const uint8_t> image,
                                                           int pageSize) {
  if (pageSize <= 0 || image.size() < 2) return std::nullopt;
  StoredConfiguration found;
  const uint64_t block =
      uint64_t{ReadLittleEndian16(image.data())} * static_cast<uint64_t>(pageSize);
  if (block + 2 > image.size()) return std::nullopt;
  found.blockOffset = static_cast<size_t>(block);
  const uint64_t record = block + ReadLittleEndian16(image.data() + found.blockOffset);
  if (record + 4 > image.size()) return std::nullopt;
  found.recordOffset = static_cast<size_t>(record);
  found.storedLength = static_cast<int32_t>(ReadLittleEndian32(image.data() + found.recordOffset));
  if (found.storedLength <= 0) return std::nullopt;
  found.textOffset = found.recordOffset + 4;
  if (static_cast<uint64_t>(found.storedLength) > image.size() - found.textOffset) {
    return std::nullopt;
  }
  found.textLength = static_cast<size_t>(found.storedLength) - 1;  // the zero is not text
  return found;
}

std::optional<std::string> StoredConfigurationText(std::span<const uint8_t> image, int pageSize) {
  const auto found = FindStoredConfiguration(image, pageSize);
  if (!found) return std::nullopt;
  const auto* text = reinterpret_cast<const char*>(image.data() + found->textOffset);
  std::string_view view(text, found->textLength);
  // The loader treats the text as zero-terminated: an earlier zero ends it.
  return std::string(view.substr(0, view.find('\0')));
}

int ImageInterfaceNumber(std::span<const uint8_t> image, int pageSize) {
  if (pageSize <= 0 || image.size() < 2) return -1;
  const uint64_t offset =
      uint64_t{ReadLittleEndian16(image.data())} * static_cast<uint64_t>(pageSize) + 4;
  return offset < image.size() ? image[static_cast<size_t>(offset)] : -1;
}

}  // namespace liftvox
