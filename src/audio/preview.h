#pragma once

#include <cstdint>
#include <filesystem>

namespace liftvox {

class TPametRevazie;
class TSekvence;
class TVzorek;
class TWaveStream;

// The DIL switch setting the preview simulates: switches 4 to 7 from the
// main window's four boxes (bit n - 1 = switch n), the others OFF.
uint8_t SimulatedSwitches(bool switch4, bool switch5, bool switch6, bool switch7);

// Whether the announcer plays a sample under a switch setting: a silence
// always, a recording when its DIL entry's pattern matches.
bool SampleMatches(const TPametRevazie& document, const TVzorek& sample, uint8_t switches);

// Appends what the announcer says for one sequence to an 8-bit mono stream:
// the matching samples, leading and trailing silence dropped and of several
// silences in a row only the last kept. A sample file that cannot be read
// raises WaveError naming it.
void RenderSequence(TWaveStream& output, const TPametRevazie& document, const TSekvence& sequence,
                    uint8_t switches);

// Writes a preview WAV (8-bit mono 14456 Hz) of one sequence, or of every
// sequence from `firstSequence` on with a 15-block gap after each sequence
// that has samples. The file appears only when complete.
void RenderSequencePreview(const std::filesystem::path& file, const TPametRevazie& document,
                           int sequenceIndex, uint8_t switches);
void RenderAllSequencesPreview(const std::filesystem::path& file, const TPametRevazie& document,
                               int firstSequence, uint8_t switches);

// The silence dialog's own conversions (integer divisions, no rounding).
int32_t SilenceDialogSamples(int32_t milliseconds);
int32_t SilenceDialogMilliseconds(int32_t samples);

}  // namespace liftvox
