#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace liftvox {

// Raised by the WAV classes. The text is English and untranslated; whoever
// called shows its own localised message and may add this text for detail.
class WaveError : public std::runtime_error {
 public:
  explicit WaveError(const std::string& message) : std::runtime_error(message) {}
};

// A sound whose sample rate lies below kMinimumSampleRate (0 Hz included):
// callers that can say what is wrong in the user's language catch it first.
class WaveSampleRateError : public WaveError {
 public:
  explicit WaveSampleRateError(std::uint32_t rate)
      : WaveError("The sample rate of " + std::to_string(rate) + " Hz is too low."), rate_(rate) {}
  std::uint32_t Rate() const { return rate_; }

 private:
  std::uint32_t rate_;
};

}  // namespace liftvox
