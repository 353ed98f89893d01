// A memory image file: loaded as the program opens one (with the
// configuration stored in it), and inspected and extracted as the command
// line does, every recording decoded in memory; and checked for programming.
#include <cstdint>

#include "audio/wave_format.h"
#include "audio/wave_stream.h"
#include "commands/command_error.h"
#include "commands/image_file_commands.h"
#include "commands/image_for_device.h"
#include "document_setup.h"
#include "image/image_contents.h"
#include "image/memory_size.h"

using namespace liftvox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const auto path = fuzz::WriteScratchFile("input.bin", data, size);
  if (size > 0 && MemorySizeFromCode(data[size - 1]) > 0) {
    TPametRevazie document;
    fuzz::SetUpDocument(document);
    ImageSettings settings;
    settings.memorySizeCode = data[size - 1];
    LoadImageFile(document, settings, path);
  }
  try {
    LoadImageFileToProgram(path);
  } catch (const CommandError&) {
  }
  try {
    const SavedImageFile file = ReadSavedImageFile(path);
    const InspectedImage image = InspectImage(file.image, file.memoryCode);
    for (const StoredRecording& recording : RecordingsToExtract(image))
      WaveFileBytes(AnnouncerPcmFormat(), DecodeStoredSample(file.image, image.pageSize,
                                                             recording.page, recording.length));
  } catch (const CommandError&) {
  } catch (const ImageFormatError&) {
  }
  return 0;
}
