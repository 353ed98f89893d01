#include "model/dil_entry.h"

namespace liftvox {

uint16_t VratDIL(const SwitchStates& switches) {
  uint16_t pattern = 0;
  for (int n = 0; n < 8; ++n) {
    if (switches[n] == SwitchState::DoesNotMatter) continue;
    pattern |= static_cast<uint16_t>(0x100 << n);
    if (switches[n] == SwitchState::On) pattern |= static_cast<uint16_t>(1 << n);
  }
  return pattern;
}

SwitchStates KresliDIL(uint16_t pattern) {
  SwitchStates switches{};
  for (int n = 0; n < 8; ++n) {
    if (!(pattern & (0x100 << n)))
      switches[n] = SwitchState::DoesNotMatter;
    else
      switches[n] = (pattern & (1 << n)) ? SwitchState::On : SwitchState::Off;
  }
  return switches;
}

}  // namespace liftvox
