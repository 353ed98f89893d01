#pragma once

#include <array>
#include <cstdint>

#include "audio/buffered_file.h"

namespace liftvox {

using FourCC = std::array<char, 4>;

constexpr FourCC MakeFourCC(const char (&text)[5]) { return {text[0], text[1], text[2], text[3]}; }

// One RIFF chunk: its header as found or written, and where its data starts.
// The data of a "RIFF" or "LIST" chunk begins with the form type.
struct RiffChunk {
  FourCC id{};
  std::uint32_t size = 0;  // as declared, which need not fit the file
  FourCC formType{};       // "RIFF" and "LIST" only
  std::int64_t dataOffset = 0;
  bool created = false;  // written by us: its size is completed on ascending
};

// Reads the chunk header at the current position and leaves the file at the
// chunk's data (behind the form type for "RIFF" and "LIST"). False when the
// file ends before the header does.
bool DescendIntoChunk(BufferedFile& file, RiffChunk& chunk);

// Walks the chunks from the current position up to `end` (a file offset),
// stepping over each one and its pad byte, and descends into the first one
// called `id`. False when none starts and has a whole header before `end`.
bool FindChunk(BufferedFile& file, const FourCC& id, std::int64_t end, RiffChunk& chunk);

// Leaves the file just behind the chunk and its pad byte. For a chunk that we
// created, the chunk ends at the current position: its size is written into
// its header and a pad byte is added when the size is odd.
bool AscendFromChunk(BufferedFile& file, RiffChunk& chunk);

// Writes a header with size 0 at the current position (and the form type for
// "RIFF" or "LIST") and leaves the file at the chunk's data.
bool CreateChunk(BufferedFile& file, RiffChunk& chunk);

}  // namespace liftvox
