#include "commands/image_file_commands.h"

#include <algorithm>
#include <vector>

#include "base/message_format.h"
#include "config/configuration_file.h"
#include "config/paths.h"
#include "image/image_builder.h"
#include "image/image_contents.h"
#include "image/image_file.h"
#include "image/memory_size.h"
#include "model/document.h"

namespace liftvox {
namespace {

enum class LoadPurpose { Open, Program };

void WarnLoad(TPametRevazie& document, const std::string& key, const std::string& text) {
  document.prompter().Warn({key, document.Translate("MemoryLoad", "Načítání paměti"), text});
}

bool LoadInto(TPametRevazie& document, const ImageSettings& settings,
              const std::filesystem::path& file, LoadPurpose purpose) {
  const int64_t memorySize = MemorySizeFromCode(settings.memorySizeCode);
  const std::string name = PathToUtf8(file);
  const LoadedMemoryImage loaded = LoadMemoryImageFile(file, settings.memorySizeCode, memorySize);
  switch (loaded.error) {
    case ImageFileError::None:
      break;
    case ImageFileError::FileForMemory:
      WarnLoad(
          document, "FileForMemory",
          FormatMessage(document.Translate(
                            "FileForMemory",
                            "Tento soubor byl sestaven pro paměť: %s. Soubor není možno načíst!"),
                        MemorySizeText(loaded.fileCode)));
      return false;
    case ImageFileError::BadFileFormat:
      // Programming from a file names no file in this message.
      WarnLoad(document, "BadFileFormat",
               purpose == LoadPurpose::Open
                   ? FormatMessage(
                         document.Translate("BadFileFormat", "Soubor %s má špatný formát!"), name)
                   : document.Translate("BadFileFormat", "Soubor má špatný formát!"));
      return false;
    default:
      WarnLoad(
          document, "UnableLoadFile",
          FormatMessage(document.Translate("UnableLoadFile", "Soubor %s nelze načíst!"), name));
      return false;
  }
  // What inspect marks as broken never reaches the announcer.
  if (purpose == LoadPurpose::Program) {
    if (const auto problem = FirstImageProblem(loaded.bytes, settings.memorySizeCode)) {
      WarnLoad(document, "ImageProblem",
               FormatMessage(document.Translate("ImageProblem",
                                                "Soubor %s nelze naprogramovat, jeho obsah je "
                                                "poškozený: %s."),
                             name, *problem));
      return false;
    }
  }
  if (memorySize != document.MemorySize) document.SetMemorySize(static_cast<int32_t>(memorySize));
  // The whole file, code byte included, as the programming of a full memory
  // sends it.
  auto end = std::copy(loaded.bytes.begin(), loaded.bytes.end(), document.Image.begin());
  *end = static_cast<uint8_t>(loaded.fileCode);
  document.UsedMemory = static_cast<int32_t>(loaded.usedSize);
  // The image came from a file, not from this configuration: saving or
  // programming should offer to rebuild it.
  document.MarkImageStale();
  return true;
}

}  // namespace

bool PrepareImageForSaving(TPametRevazie& document, const ImageSettings& settings,
                           const JobProgress& progress) {
  if (!document.IsImageStale()) return true;
  const Answer answer = document.prompter().AskYesNo(
      {"ReBuild", document.Translate("MemorySave", "Uložení paměti"),
       document.Translate("ReBuild",
                          "Přejete si znovu sestavit paměť podle aktuální konfigurace?")});
  return answer != Answer::Yes || SestavPamet(document, settings, progress) > 0;
}

bool SaveImageFile(TPametRevazie& document, const ImageSettings& settings,
                   const std::filesystem::path& file) {
  const int64_t memorySize = MemorySizeFromCode(settings.memorySizeCode);
  const bool matches = memorySize == document.MemorySize &&
                       document.Image.size() == static_cast<std::size_t>(memorySize) + 1;
  if (matches && SaveMemoryImageFile(file, document.Image, memorySize, document.UsedMemory,
                                     settings.memorySizeCode) == ImageFileError::None)
    return true;
  document.prompter().Warn(
      {"UnableWriteFile", document.Translate("MemorySave", "Uložení paměti"),
       FormatMessage(document.Translate("UnableWriteFile", "Do souboru %s nelze zapisovat!"),
                     PathToUtf8(file))});
  return false;
}

bool LoadImageFile(TPametRevazie& document, const ImageSettings& settings,
                   const std::filesystem::path& file) {
  // Kept to put back when the unsaved-changes question is cancelled: the
  // configuration then stays, and must not be left with the file's image.
  const bool wasModified = document.IsModified();
  const bool wasStale = document.IsImageStale();
  const int32_t memorySize = document.MemorySize;
  const int32_t usedMemory = document.UsedMemory;
  std::vector<uint8_t> image = document.Image;
  if (!LoadInto(document, settings, file, LoadPurpose::Open)) return false;
  if (document.UsedMemory <= 0) return true;
  const std::span<const uint8_t> used(document.Image.data(),
                                      static_cast<std::size_t>(document.UsedMemory));
  if (const auto stored =
          FindStoredConfiguration(used, PageSizeForMemory(settings.memorySizeCode))) {
    // The reader takes the buffer from the length field on; keep a copy, as
    // reading the configuration empties and refills the document.
    const std::vector<uint8_t> record(
        used.begin() + static_cast<std::ptrdiff_t>(stored->recordOffset), used.end());
    if (!LoadConfigurationFromBuffer(document, record.data(), record.size()) && wasModified &&
        document.IsModified()) {
      document.SetMemorySize(memorySize);
      document.Image = std::move(image);
      document.UsedMemory = usedMemory;
      document.SetImageStale(wasStale);
      return false;
    }
  }
  return true;
}

bool LoadImageFileForProgramming(TPametRevazie& document, const ImageSettings& settings,
                                 const std::filesystem::path& file) {
  return LoadInto(document, settings, file, LoadPurpose::Program) && document.UsedMemory > 0;
}

}  // namespace liftvox
