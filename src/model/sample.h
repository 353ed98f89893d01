#pragma once

#include <cstdint>
#include <string>

namespace liftvox {

class TSekvence;
class TPametRevazie;

// The announcer's sample rate: lengths are counted in samples at this rate.
inline constexpr int kSampleRate = 14456;

// Silence lengths are edited in milliseconds; both directions round to the
// nearest integer, ties to even.
int32_t SamplesFromMilliseconds(int64_t milliseconds);
int32_t MillisecondsFromSamples(int64_t samples);

// One sample of a sequence: a WAV recording or a stretch of silence.
class TVzorek {
 public:
  explicit TVzorek(TPametRevazie* owner = nullptr) : Owner(owner) {}

  std::string DisplayName;
  std::string FileName;  // absolute path of the WAV; the word for silence for a silence
  bool Silence = false;
  int32_t Samples = 0;  // length in samples at 14456 Hz
  bool Selected = false;
  TSekvence* Sequence = nullptr;
  TPametRevazie* Owner = nullptr;
  int32_t DIL = 0;  // index into the DIL entry list; 0 for silence
  int32_t Top = 0;
  int32_t Left = 0;

  void SetFileName(const std::string& path);
  // Stores the length; a silence also takes the translated word for silence
  // as its display name.
  void SetSamples(int32_t samples);
};

}  // namespace liftvox
