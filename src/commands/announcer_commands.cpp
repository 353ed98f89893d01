#include "commands/announcer_commands.h"

#include <span>

#include "config/configuration_file.h"
#include "image/image_builder.h"
#include "image/image_file.h"
#include "image/memory_size.h"
#include "model/document.h"

namespace liftvox {
namespace {

// Loads the configuration record of the document's image, when it has one
// (and, when asked, the user wants it). True when it was loaded.
bool LoadStoredConfiguration(TPametRevazie& document, const ImageSettings& settings, bool ask) {
  const std::span<const uint8_t> image(document.Image.data(), document.Image.size());
  const auto stored = FindStoredConfiguration(image, PageSizeForMemory(settings.memorySizeCode));
  if (!stored) return false;
  if (ask && document.prompter().AskYesNo(
                 {"MemoryIncludeConf", document.Translate("MemoryLoad", "Načítání paměti"),
                  document.Translate(
                      "MemoryIncludeConf",
                      "Paměť obsahuje konfiguraci hlásiče, přejete si ji načíst?")}) != Answer::Yes)
    return false;
  // Reading the configuration refills the document; work on a copy of the record.
  const std::vector<uint8_t> record(
      image.begin() + static_cast<std::ptrdiff_t>(stored->recordOffset), image.end());
  return LoadConfigurationFromBuffer(document, record.data(), record.size());
}

}  // namespace

bool ConfirmProgramming(TPametRevazie& document, const ImageSettings& settings,
                        const std::string& caption) {
  return OfferRebuild(document, settings, caption, {}) &&
         ConfirmConfigurationUpload(document, caption);
}

bool OfferRebuild(TPametRevazie& document, const ImageSettings& settings,
                  const std::string& caption, const JobProgress& progress) {
  return !document.IsImageStale() ||
         document.prompter().AskYesNo(
             {"ReBuild", caption,
              document.Translate("ReBuild",
                                 "Přejete si znovu sestavit paměť podle aktuální konfigurace?")}) !=
             Answer::Yes ||
         SestavPamet(document, settings, progress) > 0;
}

bool ConfirmConfigurationUpload(TPametRevazie& document, const std::string& caption) {
  return document.prompter().AskYesNo(
             {"ConfigurationUpLoad", caption,
              document.Translate("ConfigurationUpLoad",
                                 "Skutečně chcete naprogramovat paměť hlásiče?")}) == Answer::Yes;
}

bool ConfirmFirmwareUpload(TPametRevazie& document, const std::string& caption) {
  return document.prompter().AskYesNo(
             {"FirmwareUpLoad", caption,
              document.Translate("FirmwareUpLoad",
                                 "Skutečně chcete nahrát do hlásiče nový software?")}) ==
         Answer::Yes;
}

void FinishMemoryRead(TPametRevazie& document, const ImageSettings& settings, int64_t bytesInUse) {
  if (bytesInUse <= 0) return;
  document.UsedMemory = static_cast<int32_t>(bytesInUse);
  LoadStoredConfiguration(document, settings, true);
}

void FinishConfigurationRead(TPametRevazie& document, const ImageSettings& settings,
                             int64_t bytesInUse) {
  TakeReadConfiguration(document, settings, bytesInUse);
  SestavPamet(document, settings);
}

bool TakeReadConfiguration(TPametRevazie& document, const ImageSettings& settings,
                           int64_t bytesInUse) {
  if (bytesInUse >= 1) return LoadStoredConfiguration(document, settings, false);
  if (bytesInUse == 0) {
    document.prompter().Warn(
        {"UnableFindConf", document.Translate("MemoryLoad", "Načítání paměti"),
         document.Translate("UnableFindConf", "Hlásič neobsaguje konfigurační data!")});
  }
  return false;
}

}  // namespace liftvox
