#include "audio/recording_copy.h"

#include <optional>
#include <system_error>

#include "audio/convert.h"
#include "audio/wave_error.h"
#include "config/file_io.h"
#include "config/paths.h"

namespace liftvox {
namespace {

constexpr int kMaxCopyNames = 10000;

// The first free copy name in `folder`, claimed; empty when the folder
// refuses new files or every name is taken.
std::filesystem::path ClaimCopyName(const std::filesystem::path& folder,
                                    const std::filesystem::path& original, std::string_view tag) {
  const std::string stem = PathToUtf8(original.stem()) + "-" + std::string(tag);
  for (int number = 1; number <= kMaxCopyNames; ++number) {
    const std::string name = number == 1 ? stem : stem + "-" + std::to_string(number);
    const std::filesystem::path candidate = folder / PathFromUtf8(name + ".wav");
    switch (ClaimNewFile(candidate)) {
      case NewFileClaim::Claimed:
        return candidate;
      case NewFileClaim::Refused:
        return {};
      case NewFileClaim::Taken:
        break;
    }
  }
  return {};
}

}  // namespace

std::string_view RecordingCopyTag(const SoundEdits& edits) {
  if (edits.trimSilence) return edits.normalise ? "trimmed-normalised" : "trimmed";
  return edits.normalise ? "normalised" : "14456";
}

RecordingCopy WriteRecordingCopy(const std::filesystem::path& original,
                                 const std::filesystem::path& fallbackFolder,
                                 const SoundEdits& edits, const JobProgress& progress) {
  RecordingCopy result;
  const std::string_view tag = RecordingCopyTag(edits);
  std::filesystem::path copy = ClaimCopyName(original.parent_path(), original, tag);
  if (copy.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(fallbackFolder, ignored);
    copy = ClaimCopyName(fallbackFolder, original, tag);
  }
  if (copy.empty()) {
    result.outcome = RecordingCopy::Outcome::NoWritableFolder;
    result.file = fallbackFolder;
    return result;
  }
  std::optional<std::int64_t> frames;
  try {
    frames = ConvertRecording(original, copy, progress, edits);
  } catch (const WaveError& error) {
    result.problem = error.what();
  }
  if (!frames) {
    std::error_code ignored;
    std::filesystem::remove(copy, ignored);
    if (result.problem.empty()) result.outcome = RecordingCopy::Outcome::Stopped;
    return result;
  }
  result.outcome = RecordingCopy::Outcome::Written;
  result.file = copy;
  result.frames = *frames;
  return result;
}

}  // namespace liftvox
