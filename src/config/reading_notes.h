#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace liftvox {

class TPametRevazie;

// What a reader changed in a file, or left out of it, to keep within the
// program's limits. Nothing goes without a word, but a file with thousands of
// such places gets one message per kind, not thousands: Report tells the
// document's prompter once reading ends.
class ReadingNotes {
 public:
  // A stored silence length in the range the program sets (ClampSilenceSamples);
  // a length outside it is counted.
  int32_t Silence(int32_t storedSamples);
  // A sequence whose samples past kMaxSamplesPerSequence were not read.
  void SamplesCut(std::string_view sequenceName);
  // Sequences past kMaxSequences that were not read.
  void SequencesLeftOut(int count);

  bool Empty() const;
  // "SilenceClamped", "SamplesCut" (naming the first three sequences) and
  // "SekvCut", each when it happened.
  void Report(const TPametRevazie& document) const;

 private:
  int clampedSilences_ = 0;
  std::vector<std::string> cutSequences_;
  int sequencesLeftOut_ = 0;
};

}  // namespace liftvox
