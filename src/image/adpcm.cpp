#include "image/adpcm.h"

#include "image/adpcm_predictor.h"

namespace liftvox {

void adpcm_coder(const std::uint8_t* input, std::uint8_t* output, std::int32_t n,
                 AdpcmState& state) {
  if (n <= 0) return;
  AdpcmPredictor predictor(state);
  const std::int32_t pairs = n / 2;
  for (std::int32_t i = 0; i < pairs; ++i) {
    const int high = predictor.Encode(input[2 * i]);
    const int low = predictor.Encode(input[2 * i + 1]);
    output[i] = static_cast<std::uint8_t>((high << 4) | low);
  }
  if (n & 1) output[pairs] = static_cast<std::uint8_t>(predictor.Encode(input[n - 1]) << 4);
  predictor.StoreInto(state);
}

void adpcm_decoder(const std::uint8_t* input, std::uint8_t* output, std::int32_t n,
                   AdpcmState& state) {
  if (n <= 0) return;
  AdpcmPredictor predictor(state);
  for (std::int32_t i = 0; i < n; ++i) {
    const int code = (i & 1) ? (input[i / 2] & 0x0F) : (input[i / 2] >> 4);
    output[i] = static_cast<std::uint8_t>(predictor.Decode(code));
  }
  predictor.StoreInto(state);
}

}  // namespace liftvox
