#pragma once

#include <cstdint>

namespace liftvox {

class TPametRevazie;

// How the elevator controller signals floors on the parallel interface.
struct FloorCoding {
  bool gray = false;       // reflected binary Gray code instead of plain binary
  bool inverted = false;   // negative logic: every bit flipped
  int floorStart = 0;      // 0..255, the code position of the first floor
  int specialStart = 128;  // 0..255, where general sequences' codes begin
};

uint8_t GrayCode(uint8_t x);
// The code of floor position n, and of special position n.
uint8_t Zakoduj(const FloorCoding& coding, int n);
uint8_t ZakodujSpec(const FloorCoding& coding, int n);

// Renumbers the whole configuration: floors get consecutive codes from the
// floor start, code-triggered general sequences the next free codes from the
// special start (-1 when none is free); sequences on an input keep theirs.
// The document is marked changed.
void ApplyFloorCoding(TPametRevazie& document, const FloorCoding& coding);

}  // namespace liftvox
