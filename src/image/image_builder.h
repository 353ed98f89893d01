#pragma once

#include <cstdint>

#include "image/image_settings.h"

namespace liftvox {

class TPametRevazie;

// Compiles the document into its memory image (`Image`, MemorySize + 1 bytes;
// the document's memory size is set from the settings first): header,
// directory of trigger entries, sample record lists, the parameter block with
// the optional configuration text, and every distinct WAV file once as 4-bit
// ADPCM from a page boundary.
//
// Returns the bytes used (EndPage x page size, > 0) and then stores them as
// UsedMemory and clears ImageStale; 0 when the data does not fit (the
// "MemoryFull" message is shown); -2 when a sample file cannot be read
// ("UnableLoadFile" naming it). On failure UsedMemory and ImageStale stay and
// the image content is unspecified.
int32_t SestavPamet(TPametRevazie& document, const ImageSettings& settings);

}  // namespace liftvox
