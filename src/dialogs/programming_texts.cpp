#include "dialogs/programming_texts.h"

#include <cmath>

#include "base/message_format.h"
#include "commands/command_error.h"
#include "commands/production_log.h"
#include "config/paths.h"
#include "model/prompter.h"
#include "model/translator.h"
#include "ui/translated_text.h"

namespace liftvox {

QString StateText(const Translator& translator, BatchState state) {
  switch (state) {
    case BatchState::Waiting:
      return TranslatedText(translator, "StateWaiting");
    case BatchState::Detecting:
      return TranslatedText(translator, "Detection");
    case BatchState::Writing:
      return TranslatedText(translator, "StateWriting");
    case BatchState::Verifying:
      return TranslatedText(translator, "StateVerifying");
    case BatchState::Succeeded:
      return TranslatedText(translator, "Done");
    case BatchState::Failed:
      return TranslatedText(translator, "StateFailed");
    case BatchState::Stopped:
      return TranslatedText(translator, "StateStopped");
  }
  return {};
}

QString VerifyTimeText(const Translator& translator, const ProgramImage& image) {
  const auto writing = std::chrono::milliseconds(
      static_cast<int64_t>(std::ceil(LineSecondsToProgram(image))) * 1000);
  return QString::fromStdString(
      FormatMessage(TranslatedText(translator, "VerifyTime").toStdString(),
                    MinutesAndSeconds(writing), MinutesAndSeconds(2 * writing)));
}

void WarnLogUnwritable(const std::filesystem::path& file, const Translator& translator,
                       Prompter& prompter) {
  prompter.Warn({"UnableWriteFile", TranslatedText(translator, "SoundUploading").toStdString(),
                 FormatMessage(TranslatedText(translator, "UnableWriteFile").toStdString(),
                               PathToUtf8(file))});
}

bool OpenProductionLog(const std::filesystem::path& file, const Translator& translator,
                       Prompter& prompter, std::unique_ptr<ProductionLog>& log) {
  log.reset();
  if (file.empty()) return true;
  try {
    log = std::make_unique<ProductionLog>(file);
    return true;
  } catch (const CommandError&) {
    WarnLogUnwritable(file, translator, prompter);
    return false;
  }
}

}  // namespace liftvox
