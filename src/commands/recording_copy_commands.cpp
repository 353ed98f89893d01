#include "commands/recording_copy_commands.h"

#include "base/message_format.h"
#include "config/paths.h"
#include "model/document.h"

namespace liftvox {

std::optional<RecordingCopy> CopyRecording(TPametRevazie& document,
                                           const std::filesystem::path& original,
                                           const std::filesystem::path& fallbackFolder,
                                           const SoundEdits& edits, const std::string& caption,
                                           const JobProgress& progress) {
  RecordingCopy copy = WriteRecordingCopy(original, fallbackFolder, edits, progress);
  switch (copy.outcome) {
    case RecordingCopy::Outcome::Written:
      return copy;
    case RecordingCopy::Outcome::NoWritableFolder:
      document.prompter().Warn(
          {"UnableWriteFile", caption,
           FormatMessage(document.Translate("UnableWriteFile", "Do souboru %s nelze zapisovat!"),
                         PathToUtf8(copy.file))});
      break;
    case RecordingCopy::Outcome::Unreadable:
      document.prompter().Warn(
          {"UnableLoadFile", caption,
           FormatMessage(document.Translate("UnableLoadFile", "Soubor %s nelze načíst!"),
                         PathToUtf8(original))});
      break;
    case RecordingCopy::Outcome::Stopped:
      break;
  }
  return std::nullopt;
}

}  // namespace liftvox
