#pragma once

#include <cstdint>

#include "image/encoder_kind.h"

namespace liftvox {

// Program settings that shape the memory image besides the configuration.
struct ImageSettings {
  int memorySizeCode = 0;     // 0 = 64 kB .. 7 = 8 MB
  uint8_t interfaceCode = 0;  // the controller interface the image is built for
  bool setupToFlash = true;   // store the configuration text in the image
  EncoderKind encoder = EncoderKind::Standard;
};

}  // namespace liftvox
