#include "commands/image_for_device.h"

#include <algorithm>

#include "commands/command_error.h"
#include "config/file_io.h"
#include "image/image_builder.h"
#include "image/image_file.h"
#include "image/memory_size.h"
#include "model/document.h"

namespace liftvox {

SavedImageFile ReadSavedImageFile(const std::filesystem::path& file) {
  auto bytes = ReadFileBytes(file);
  if (!bytes) throw CommandError("cannot read " + file.string());
  if (bytes->empty()) throw CommandError(file.string() + " is empty, not an image file");
  SavedImageFile saved;
  saved.memoryCode = static_cast<uint8_t>(bytes->back());
  const int64_t memorySize = MemorySizeFromCode(saved.memoryCode);
  if (memorySize == 0)
    throw CommandError(file.string() + " ends in " + std::to_string(saved.memoryCode) +
                       ", which is no memory size code");
  if (static_cast<int64_t>(bytes->size()) > memorySize)
    throw CommandError(file.string() + " is longer than a " + MemorySizeText(saved.memoryCode) +
                       " memory");
  saved.image.assign(bytes->begin(), bytes->end() - 1);
  return saved;
}

ProgramImage ImageToProgram::ForProgramming() const {
  const int pageSize = PageSizeForMemory(memoryCode);
  const int64_t inUse = pageSize > 0 ? (usedSize + pageSize - 1) / pageSize * pageSize : usedSize;
  return ProgramImage{bytes, MemorySizeFromCode(memoryCode), inUse,
                      ImageInterfaceNumber(bytes, pageSize)};
}

ImageToProgram DocumentImageToProgram(const TPametRevazie& document,
                                      const ImageSettings& settings) {
  const auto& image = document.Image;
  const int64_t used =
      std::clamp<int64_t>(document.UsedMemory, 0, static_cast<int64_t>(image.size()));
  return ImageToProgram{std::vector<uint8_t>(image.begin(), image.begin() + used),
                        settings.memorySizeCode, used};
}

ImageToProgram LoadImageFileToProgram(const std::filesystem::path& file) {
  const auto raw = ReadFileBytes(file);
  if (!raw) throw CommandError("cannot read " + file.string());
  if (raw->empty()) throw CommandError(file.string() + " is not a memory image file");
  const int code = static_cast<uint8_t>(raw->back());
  const int64_t memorySize = MemorySizeFromCode(code);
  if (memorySize == 0) throw CommandError(file.string() + " names no known memory size");
  auto loaded = LoadMemoryImageFile(file, code, memorySize);
  if (loaded.error != ImageFileError::None)
    throw CommandError(file.string() + " is not a memory image file for " + MemorySizeText(code));
  if (loaded.usedSize <= 0) throw CommandError(file.string() + " holds no data");
  // The whole file goes into the image, its code byte included: a file as long
  // as the memory carries the code where the image's last byte was.
  loaded.bytes.push_back(static_cast<uint8_t>(code));
  return {std::move(loaded.bytes), code, loaded.usedSize};
}

std::optional<ImageToProgram> BuildImageToProgram(TPametRevazie& document,
                                                  const ImageSettings& settings) {
  const int32_t used = SestavPamet(document, settings);
  if (used <= 0) return std::nullopt;
  const auto& image = document.Image;
  return ImageToProgram{std::vector<uint8_t>(image.begin(), image.begin() + used),
                        settings.memorySizeCode, used};
}

}  // namespace liftvox
