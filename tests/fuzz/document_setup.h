#pragma once

#include "fuzz_input.h"
#include "model/document.h"

namespace liftvox::fuzz {

// A document as the program sets one up: three icons, stored paths relative
// to the scratch folder, no translator (the Czech texts), no prompter (nothing
// shown, every question answered No), and no sample measuring, so that paths
// in the input never reach the file system.
inline void SetUpDocument(TPametRevazie& document) {
  document.IconNames = {"CZ.BMP", "EN.BMP", "DE.BMP"};
  document.ProgramDirectory = ScratchFolder();
}

}  // namespace liftvox::fuzz
