#pragma once

#include <optional>
#include <string_view>

namespace liftvox {

// Which coder turns recordings into the announcer's ADPCM. Both write the
// same bit stream for the same decoder; "standard" is the plain IMA coder and
// the default, "best" searches for the codes that decode closest to the
// recording (see recording_encoder.h).
enum class EncoderKind { Standard, Best };

// "standard" and "best": the command line's and the settings' words.
constexpr std::string_view EncoderKindText(EncoderKind encoder) {
  return encoder == EncoderKind::Best ? "best" : "standard";
}

constexpr std::optional<EncoderKind> EncoderKindFromText(std::string_view text) {
  if (text == "standard") return EncoderKind::Standard;
  if (text == "best") return EncoderKind::Best;
  return std::nullopt;
}

}  // namespace liftvox
