#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "device/memory_transfer.h"
#include "image/image_settings.h"

namespace liftvox {

class TPametRevazie;

// An image file as saved: the image bytes it carries and the memory-size code
// byte that ends it.
struct SavedImageFile {
  std::vector<uint8_t> image;
  int memoryCode = 0;
};

// Reads an image file for inspection or extraction, whatever memory size it
// names. Throws CommandError naming the file when it is not a regular file,
// cannot be read, is empty, ends in no memory-size code or is longer than
// that memory; nothing longer than the largest memory (8 MB) is ever read.
SavedImageFile ReadSavedImageFile(const std::filesystem::path& file);

// What goes to the announcer: an image file as saved, or an image just built
// from a configuration. `bytes` holds at least `usedSize` bytes.
struct ImageToProgram {
  std::vector<uint8_t> bytes;
  int memoryCode = 0;
  int64_t usedSize = 0;

  // The run's view of it: the used size rounded up to whole pages and the
  // interface the image was built for, read from the image itself. With no
  // known memory size the used size stays as it is, and the run refuses the
  // image as built for another memory.
  ProgramImage ForProgramming() const;
};

// Programming the document's image as it stands (just built, kept stale on
// request, or loaded from a file): its bytes in use, never more than the
// buffer holds, for the memory size of `settings`.
ImageToProgram DocumentImageToProgram(const TPametRevazie& document, const ImageSettings& settings);

// Programming from a file: the image file's bytes (its code byte included, as
// the program loads it) for the memory size it names. Throws CommandError
// naming the file as ReadSavedImageFile does, when it holds no data, and when
// its structure has a problem (FirstImageProblem, named in the text).
ImageToProgram LoadImageFileToProgram(const std::filesystem::path& file);

// Programming a configuration: builds the document's image with `settings`.
// Nothing when the build fails; the builder has told the document's prompter why.
std::optional<ImageToProgram> BuildImageToProgram(TPametRevazie& document,
                                                  const ImageSettings& settings);

}  // namespace liftvox
