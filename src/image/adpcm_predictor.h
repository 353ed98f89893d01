#pragma once

#include <algorithm>
#include <cstddef>

#include "image/adpcm.h"

namespace liftvox {

// The decoder's state machine of adpcm.h in plain ints, shared by the coders
// and the decoder so that all of them step exactly alike.
struct AdpcmPredictor {
  static constexpr int kLastStepIndex = static_cast<int>(kAdpcmStepTable.size()) - 1;

  int value;
  int index;

  explicit AdpcmPredictor(const AdpcmState& state)
      : value(state.previousValue), index(std::min<int>(state.stepIndex, kLastStepIndex)) {}
  AdpcmPredictor(int previousValue, int stepIndex) : value(previousValue), index(stepIndex) {}

  void StoreInto(AdpcmState& state) const {
    state.previousValue = static_cast<std::int16_t>(value);
    state.stepIndex = static_cast<std::uint8_t>(index);
  }

  // The sample value the decoder plays in this state.
  int Output() const { return std::clamp(value, 0, 255); }

  // Applies a code: the part that coder and decoder share.
  void Update(int code, int delta) {
    value = std::clamp((code & 8) ? value - delta : value + delta, -32768, 32767);
    index = std::clamp(index + kAdpcmIndexTable[static_cast<std::size_t>(code)], 0, kLastStepIndex);
  }

  // The standard coder's choice for `sample`, applied. Written without
  // branches on the data: speech makes every comparison a coin toss, and
  // mispredicted jumps would cost more than the arithmetic.
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

  // Applies a code as the decoder does and returns the sample it plays.
  int Decode(int code) {
    const int step = kAdpcmStepTable[static_cast<std::size_t>(index)];
    int delta = step >> 3;
    if (code & 4) delta += step;
    if (code & 2) delta += step >> 1;
    if (code & 1) delta += step >> 2;
    Update(code, delta);
    return Output();
  }
};

}  // namespace liftvox
