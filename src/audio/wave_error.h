#pragma once

#include <stdexcept>
#include <string>

namespace liftvox {

// Raised by the WAV classes. The text is English and untranslated; whoever
// called shows its own localised message and may add this text for detail.
class WaveError : public std::runtime_error {
 public:
  explicit WaveError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace liftvox
