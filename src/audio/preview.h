#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/job_progress.h"

namespace liftvox {

class TPametRevazie;
class TVzorek;

// The DIL switch setting the preview simulates: switches 4 to 7 from the
// main window's four boxes (bit n - 1 = switch n), the others OFF.
uint8_t SimulatedSwitches(bool switch4, bool switch5, bool switch6, bool switch7);

// Whether the announcer plays a sample under a switch setting: a silence
// always, a recording when its DIL entry's pattern matches.
bool SampleMatches(const TPametRevazie& document, const TVzorek& sample, uint8_t switches);

// What a preview does to a recording's samples before it writes them, such as
// encoding and decoding them as the announcer will: the samples to write, or
// nothing to stop the preview. `progress` takes the fraction of the recording
// done and says whether to go on. Empty: the recording as it is.
using RecordingFilter = std::function<std::optional<std::vector<uint8_t>>(
    std::span<const uint8_t> samples, const std::function<bool(double fraction)>& progress)>;

// The longest preview written: an hour of sound. Every sequence of a full
// configuration with its gap takes a small part of it, while a file naming one
// recording a million times, or thousands of the longest silences, would need
// gigabytes; such a preview fails with a WaveError saying so.
inline constexpr int64_t kLongestPreviewSamples = int64_t{3600} * 14456;

// Writes a preview WAV (8-bit mono 14456 Hz) of one sequence, or of every
// sequence from `firstSequence` on with a 15-block gap after each sequence
// that has samples: the matching samples, leading and trailing silence
// dropped and of several silences in a row only the last kept. The file
// appears only when complete. `progress` hears the recording being read and
// the fraction done after every block of it; when it returns false the
// preview ends, false, leaving no file behind and `file` as it was. A sample
// file that cannot be read raises WaveError naming it, just as cleanly; so
// does one longer than kLargestRecording when there is a filter, and a preview
// that would be longer than kLongestPreviewSamples.
// The document is read throughout: a preview on a worker thread renders a
// document of its own, restored from a snapshot.
bool RenderSequencePreview(const std::filesystem::path& file, const TPametRevazie& document,
                           int sequenceIndex, uint8_t switches, const JobProgress& progress = {},
                           const RecordingFilter& filter = {});
bool RenderAllSequencesPreview(const std::filesystem::path& file, const TPametRevazie& document,
                               int firstSequence, uint8_t switches,
                               const JobProgress& progress = {},
                               const RecordingFilter& filter = {});

// Writes a preview of one recording (a sample's stored file name) as the
// sequence previews write it, `filter` applied: the same file, progress, stop
// and failures.
bool RenderRecordingPreview(const std::filesystem::path& file, const std::string& recording,
                            const JobProgress& progress = {}, const RecordingFilter& filter = {});

// Writes a file's recording as the announcer's samples read it, at the file's
// own rate: any coding the builder takes plays on a plain PCM output. A file
// that cannot be read raises WaveError; progress and stop as above.
bool RenderFilePreview(const std::filesystem::path& file, const std::filesystem::path& recording,
                       const JobProgress& progress = {});

// The silence dialog's own conversions (integer divisions, no rounding).
int32_t SilenceDialogSamples(int32_t milliseconds);
int32_t SilenceDialogMilliseconds(int32_t samples);

}  // namespace liftvox
