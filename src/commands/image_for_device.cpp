#include "commands/image_for_device.h"

#include <algorithm>

#include "commands/command_error.h"
#include "config/file_io.h"
#include "image/image_builder.h"
#include "image/image_contents.h"
#include "image/image_file.h"
#include "image/memory_size.h"
#include "model/document.h"

namespace liftvox {

namespace {

// A saved image is never longer than its memory (a full one ends in the code
// byte in place of its last byte), so no image file is longer than the
// largest memory.
constexpr int kLargestMemoryCode = 7;

}  // namespace

SavedImageFile ReadSavedImageFile(const std::filesystem::path& file) {
  const auto longest = static_cast<std::uintmax_t>(MemorySizeFromCode(kLargestMemoryCode));
  FileBytes read = ReadBoundedFile(file, longest);
  if (read.error == FileReadError::TooLarge)
    throw CommandError(file.string() + " is longer than the largest memory (" +
                       MemorySizeText(kLargestMemoryCode) + "), not an image file");
  if (!read.bytes) throw CommandError(file.string() + " " + DescribeFileReadError(read.error, 0));
  std::string& bytes = *read.bytes;
  if (bytes.empty()) throw CommandError(file.string() + " is empty, not an image file");
  SavedImageFile saved;
  saved.memoryCode = static_cast<uint8_t>(bytes.back());
  const int64_t memorySize = MemorySizeFromCode(saved.memoryCode);
  if (memorySize == 0)
    throw CommandError(file.string() + " ends in " + std::to_string(saved.memoryCode) +
                       ", which is no memory size code");
  if (static_cast<int64_t>(bytes.size()) > memorySize)
    throw CommandError(file.string() + " is longer than a " + MemorySizeText(saved.memoryCode) +
                       " memory");
  saved.image.assign(bytes.begin(), bytes.end() - 1);
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
  SavedImageFile saved = ReadSavedImageFile(file);
  const auto usedSize = static_cast<int64_t>(saved.image.size());
  if (usedSize <= 0) throw CommandError(file.string() + " holds no data");
  // What inspect marks as broken never reaches the announcer.
  if (const auto problem = FirstImageProblem(saved.image, saved.memoryCode))
    throw CommandError(file.string() + " is not programmed: " + *problem);
  // The whole file goes into the image, its code byte included: a file as long
  // as the memory carries the code where the image's last byte was.
  saved.image.push_back(static_cast<uint8_t>(saved.memoryCode));
  return {std::move(saved.image), saved.memoryCode, usedSize};
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
