#include "image/adpcm.h"

#include <algorithm>

namespace liftvox {
namespace {

constexpr int kLastStepIndex = static_cast<int>(kAdpcmStepTable.size()) - 1;

// The coder's working state, kept in plain ints inside the loops.
struct Predictor {
  int value;
  int index;

  explicit Predictor(const AdpcmState& state)
      : value(state.previousValue), index(std::min<int>(state.stepIndex, kLastStepIndex)) {}

  void StoreInto(AdpcmState& state) const {
    state.previousValue = static_cast<std::int16_t>(value);
    state.stepIndex = static_cast<std::uint8_t>(index);
  }

  // Applies a code: the part that coder and decoder share.
  void Update(int code, int delta) {
    value = std::clamp((code & 8) ? value - delta : value + delta, -32768, 32767);
    index = std::clamp(index + kAdpcmIndexTable[static_cast<std::size_t>(code)], 0, kLastStepIndex);
  }

  // Written without branches on the data: speech makes every comparison a
  // coin toss, and mispredicted jumps would cost more than the arithmetic.
  int Encode(int sample) {
    int step = kAdpcmStepTable[static_cast<std::size_t>(index)];
    int difference = sample - value;
    const int negative = difference < 0;
    difference = negative ? -difference : difference;
    int delta = step >> 3;

    const int bit2 = difference >= step;
    difference -= bit2 ? step : 0;
    delta += bit2 ? step : 0;
    step >>= 1;
    const int bit1 = difference >= step;
    difference -= bit1 ? step : 0;
    delta += bit1 ? step : 0;
    step >>= 1;
    const int bit0 = difference >= step;
    delta += bit0 ? step : 0;

    const int code = (negative << 3) | (bit2 << 2) | (bit1 << 1) | bit0;
    Update(code, delta);
    return code;
  }

  int Decode(int code) {
    const int step = kAdpcmStepTable[static_cast<std::size_t>(index)];
    int delta = step >> 3;
    if (code & 4) delta += step;
    if (code & 2) delta += step >> 1;
    if (code & 1) delta += step >> 2;
    Update(code, delta);
    return std::clamp(value, 0, 255);
  }
};

}  // namespace

void adpcm_coder(const std::uint8_t* input, std::uint8_t* output, std::int32_t n,
                 AdpcmState& state) {
  if (n <= 0) return;
  Predictor predictor(state);
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
  Predictor predictor(state);
  for (std::int32_t i = 0; i < n; ++i) {
    const int code = (i & 1) ? (input[i / 2] & 0x0F) : (input[i / 2] >> 4);
    output[i] = static_cast<std::uint8_t>(predictor.Decode(code));
  }
  predictor.StoreInto(state);
}

}  // namespace liftvox
