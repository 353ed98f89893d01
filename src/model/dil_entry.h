#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace liftvox {

// A named pattern of the announcer's eight DIL switches: a language or
// message variant. Samples refer to entries by their position in the list.
struct DilEntry {
  std::string Name;
  // Position in the program's icon name list; -1 when the icon is unknown.
  int32_t Icon = 0;
  // Low byte: required state of switches 1..8 (bit 0 = switch 1, 1 = ON).
  // High byte: which switches matter (bit 8 = switch 1).
  uint16_t Pattern = 0;

  bool operator==(const DilEntry&) const = default;
};

// Whether a switch setting (bit 0 = switch 1) satisfies a pattern: every
// switch that matters has the required state.
constexpr bool DilPatternMatches(uint16_t pattern, uint8_t switches) {
  const uint8_t states = pattern & 0xFF;
  const uint8_t mask = pattern >> 8;
  return ((static_cast<uint8_t>(~switches) ^ states) & mask) == mask;
}

// One switch as the three-state boxes show it.
enum class SwitchState { DoesNotMatter, Off, On };
using SwitchStates = std::array<SwitchState, 8>;  // [0] = switch 1

// Pattern from the eight boxes, and back.
uint16_t VratDIL(const SwitchStates& switches);
SwitchStates KresliDIL(uint16_t pattern);

}  // namespace liftvox
