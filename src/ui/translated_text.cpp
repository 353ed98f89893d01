#include "ui/translated_text.h"

#include <string>

#include "lang/caption_ids.h"
#include "lang/message_keys.h"
#include "model/translator.h"

namespace liftvox {

QString TranslatedText(const Translator& translator, std::string_view key) {
  const auto czech = CzechTextsOf(key);
  const std::string czechDefault = czech.empty() ? std::string() : std::string(czech.front());
  return QString::fromStdString(translator.Translate(std::string(key), czechDefault));
}

QString CaptionText(int id) {
  const CaptionId* caption = FindCaptionId(id);
  return caption ? QString::fromUtf8(caption->czech.data(), caption->czech.size()) : QString();
}

}  // namespace liftvox
