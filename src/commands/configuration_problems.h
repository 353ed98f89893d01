#pragma once

#include <string>
#include <vector>

namespace liftvox {

class TPametRevazie;

// What an installer should fix before building an image, one English line
// each: codes, inputs or serial bits claimed twice, codes outside 0..255, a
// general sequence after a floor, samples that refer past the DIL list, and
// WAV files that are missing (each named once, with how it was stored, or the
// candidates of an ambiguous one: the document's Recordings) or, when the
// document can measure them, cannot be read as WAV files. Empty when all is
// well.
std::vector<std::string> FindConfigurationProblems(const TPametRevazie& document);

}  // namespace liftvox
