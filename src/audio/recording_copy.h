#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "audio/sound_edits.h"
#include "base/job_progress.h"

namespace liftvox {

// The name a copy of `original` is written under: "name-TAG.wav" for
// "14456" (a plain conversion), "trimmed", "normalised" or
// "trimmed-normalised", as the edits say.
std::string_view RecordingCopyTag(const SoundEdits& edits);

// The outcome of WriteRecordingCopy.
struct RecordingCopy {
  enum class Outcome { Written, NoWritableFolder, Unreadable, Stopped };
  Outcome outcome = Outcome::Unreadable;
  std::filesystem::path file;  // the new file; for NoWritableFolder the folder that refused it
  std::int64_t frames = 0;     // its length in samples
  std::string problem;         // for Unreadable: why, in English
};

// Writes `original` in the announcer's format, with `edits` applied
// (ConvertRecording), into a new file beside it: "name-TAG.wav", or
// "name-TAG-2.wav", "name-TAG-3.wav" ... up to 10000, the first name free.
// When its own folder takes no new files, the copy goes into
// `fallbackFolder` (created when missing) instead. Never replaces a file: the
// name is claimed by creating it before anything is written, and removed
// again when the conversion fails or is stopped, so nothing is left behind.
RecordingCopy WriteRecordingCopy(const std::filesystem::path& original,
                                 const std::filesystem::path& fallbackFolder,
                                 const SoundEdits& edits, const JobProgress& progress = {});

}  // namespace liftvox
