#pragma once

#include <cstdint>
#include <memory>
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

// The silences the program sets: the editors offer 1 to 99999 ms, and a file
// that gives no length gets 1 sample. A length read from a file is brought
// into that range (1 .. 1445586 samples), so a crafted number can neither
// wrap round to days of silence nor make a preview write gigabytes.
inline constexpr int kLongestSilenceMilliseconds = 99999;
inline constexpr int32_t kShortestSilenceSamples = 1;
inline constexpr int32_t kLongestSilenceSamples =
    static_cast<int32_t>((int64_t{kLongestSilenceMilliseconds} * kSampleRate + 500) / 1000);
int32_t ClampSilenceSamples(int32_t samples);

// One sample of a sequence: a WAV recording or a stretch of silence. The view
// shows a WAV's FileName shortened to its box, and a silence's FileName, which
// is the translated word for silence.
class TVzorek {
 public:
  std::string FileName;  // absolute path of the WAV; the word for silence for a silence
  bool Silence = false;
  int32_t Samples = 0;  // length in samples at 14456 Hz
  bool Selected = false;
  TSekvence* Sequence = nullptr;  // the sequence whose list holds it
  int32_t DIL = 0;                // index into the DIL entry list; 0 for silence
  int32_t Top = 0;
  int32_t Left = 0;

  void SetFileName(const std::string& path) { FileName = path; }
  void SetSamples(int32_t samples) { Samples = samples; }
};

// A silence of `samples` samples, named with the document's word for silence
// (key "Silence"). Every silence the program creates comes from here.
std::unique_ptr<TVzorek> MakeSilence(const TPametRevazie& document, int32_t samples);

}  // namespace liftvox
