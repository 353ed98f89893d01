#include "audio/riff_chunk.h"

#include <cstring>

#include "base/little_endian.h"

namespace liftvox {
namespace {

bool HasFormType(const FourCC& id) { return id == MakeFourCC("RIFF") || id == MakeFourCC("LIST"); }

std::int64_t PaddedEnd(const RiffChunk& chunk) {
  return chunk.dataOffset + chunk.size + (chunk.size & 1u);
}

}  // namespace

bool DescendIntoChunk(BufferedFile& file, RiffChunk& chunk) {
  std::uint8_t header[8];
  if (file.Read(header, 8) != 8) return false;
  RiffChunk found;
  std::memcpy(found.id.data(), header, 4);
  found.size = ReadLittleEndian32(header + 4);
  found.dataOffset = file.Tell();
  if (HasFormType(found.id)) {
    if (file.Read(found.formType.data(), 4) != 4) return false;
  }
  chunk = found;
  return true;
}

bool FindChunk(BufferedFile& file, const FourCC& id, std::int64_t end, RiffChunk& chunk) {
  std::int64_t position = file.Tell();
  while (position + 8 <= end) {
    std::uint8_t header[8];
    if (!file.Seek(position) || file.Read(header, 8) != 8) return false;
    RiffChunk found;
    std::memcpy(found.id.data(), header, 4);
    found.size = ReadLittleEndian32(header + 4);
    found.dataOffset = position + 8;
    if (found.id == id) {
      if (HasFormType(found.id) && file.Read(found.formType.data(), 4) != 4) return false;
      chunk = found;
      return true;
    }
    position = PaddedEnd(found);
  }
  return false;
}

bool AscendFromChunk(BufferedFile& file, RiffChunk& chunk) {
  if (chunk.created) {
    const std::int64_t end = file.Tell();
    const std::int64_t size = end - chunk.dataOffset;
    if (size < 0 || size > 0xFFFFFFFFll) return false;
    chunk.size = static_cast<std::uint32_t>(size);
    if (chunk.size & 1u) {
      const std::uint8_t pad = 0;
      if (!file.Write(&pad, 1)) return false;
    }
    std::uint8_t field[4];
    WriteLittleEndian32(field, chunk.size);
    if (!file.Seek(chunk.dataOffset - 4) || !file.Write(field, 4)) return false;
  }
  return file.Seek(PaddedEnd(chunk));
}

bool CreateChunk(BufferedFile& file, RiffChunk& chunk) {
  std::uint8_t header[12];
  std::memcpy(header, chunk.id.data(), 4);
  WriteLittleEndian32(header + 4, 0);
  std::memcpy(header + 8, chunk.formType.data(), 4);
  const std::int64_t headerSize = HasFormType(chunk.id) ? 12 : 8;
  chunk.size = 0;
  chunk.dataOffset = file.Tell() + 8;
  chunk.created = true;
  return file.Write(header, headerSize);
}

}  // namespace liftvox
