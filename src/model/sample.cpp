#include "model/sample.h"

#include <algorithm>

#include "model/document.h"

namespace liftvox {
namespace {

// numerator / denominator rounded to the nearest integer, ties to even.
int64_t DivideRoundingHalfEven(int64_t numerator, int64_t denominator) {
  if (numerator < 0) return -DivideRoundingHalfEven(-numerator, denominator);
  int64_t quotient = numerator / denominator;
  const int64_t twiceRemainder = 2 * (numerator % denominator);
  if (twiceRemainder > denominator || (twiceRemainder == denominator && (quotient & 1))) ++quotient;
  return quotient;
}

}  // namespace

int32_t SamplesFromMilliseconds(int64_t milliseconds) {
  return static_cast<int32_t>(DivideRoundingHalfEven(milliseconds * kSampleRate, 1000));
}

int32_t MillisecondsFromSamples(int64_t samples) {
  return static_cast<int32_t>(DivideRoundingHalfEven(samples * 1000, kSampleRate));
}

int32_t ClampSilenceSamples(int32_t samples) {
  return std::clamp(samples, kShortestSilenceSamples, kLongestSilenceSamples);
}

std::unique_ptr<TVzorek> MakeSilence(const TPametRevazie& document, int32_t samples) {
  auto silence = std::make_unique<TVzorek>();
  silence->Silence = true;
  silence->FileName = document.Translate("Silence", "Ticho");
  silence->Samples = samples;
  return silence;
}

}  // namespace liftvox
