#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "audio/recording_copy.h"
#include "base/job_progress.h"

namespace liftvox {

class TPametRevazie;

// A copy of a sample's recording in the announcer's format with `edits`
// applied (WriteRecordingCopy: beside the original, or in `fallbackFolder`),
// for a drop that converts and for the message properties' edits. When it
// fails the document's prompter says why under `caption`: "UnableWriteFile"
// naming the folder that refused it, "UnableLoadFile" naming the recording.
// The copy written; nothing after a failure or a stop.
std::optional<RecordingCopy> CopyRecording(TPametRevazie& document,
                                           const std::filesystem::path& original,
                                           const std::filesystem::path& fallbackFolder,
                                           const SoundEdits& edits, const std::string& caption,
                                           const JobProgress& progress = {});

}  // namespace liftvox
