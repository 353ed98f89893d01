#include "support/wave_files.h"

#include "support/test_support.h"

namespace liftvox::test {

std::string Le16(std::uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Le32(std::uint32_t value) {
  return Le16(static_cast<std::uint16_t>(value)) + Le16(static_cast<std::uint16_t>(value >> 16));
}

std::string ChunkDeclaring(const std::string& id, std::uint32_t size, const std::string& payload) {
  return id + Le32(size) + payload;
}

std::string Chunk(const std::string& id, const std::string& payload) {
  std::string chunk = ChunkDeclaring(id, static_cast<std::uint32_t>(payload.size()), payload);
  if (payload.size() % 2) chunk += '\0';
  return chunk;
}

std::string RiffDeclaring(std::uint32_t size, const std::string& body) {
  return ChunkDeclaring("RIFF", size, "WAVE" + body);
}

std::string Riff(const std::string& body, const std::string& formType) {
  return Chunk("RIFF", formType + body);
}

std::string FormatRecord(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                         std::uint16_t blockAlign, std::uint16_t bits) {
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * blockAlign) + Le16(blockAlign) +
         Le16(bits);
}

std::string PcmFmtChunk(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  const auto blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
  return Chunk("fmt ", FormatRecord(1, channels, rate, blockAlign, bits));
}

void WritePcmWav(const std::filesystem::path& path, const std::vector<std::uint8_t>& data,
                 std::uint16_t bits, std::uint16_t channels, std::uint32_t rate) {
  WriteFile(path, Riff(PcmFmtChunk(channels, rate, bits) +
                       Chunk("data", std::string(data.begin(), data.end()))));
}

std::vector<std::uint8_t> Ramp(std::size_t n) {
  std::vector<std::uint8_t> samples(n);
  for (std::size_t i = 0; i < n; ++i) samples[i] = static_cast<std::uint8_t>(64 + (i % 128));
  return samples;
}

}  // namespace liftvox::test
