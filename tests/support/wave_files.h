#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace liftvox::test {

// WAV files written byte by byte, so tests need not trust the program's own
// WAV writer, and can break any field on purpose.

std::string Le16(std::uint16_t value);
std::string Le32(std::uint32_t value);
// A chunk with the payload's size and a pad byte when that size is odd.
std::string Chunk(const std::string& id, const std::string& payload);
// A chunk whose header declares `size` whatever the payload is; no pad byte.
std::string ChunkDeclaring(const std::string& id, std::uint32_t size, const std::string& payload);
std::string Riff(const std::string& body, const std::string& formType = "WAVE");
std::string RiffDeclaring(std::uint32_t size, const std::string& body);
// The 16 bytes of a format record without its extra-size word.
std::string FormatRecord(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                         std::uint16_t blockAlign, std::uint16_t bits);
std::string PcmFmtChunk(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits);

// A plain PCM WAV file holding `data` as it stands (frames of `bits` x `channels`).
void WritePcmWav(const std::filesystem::path& path, const std::vector<std::uint8_t>& data,
                 std::uint16_t bits = 8, std::uint16_t channels = 1, std::uint32_t rate = 14456);

// n samples of a slow 8-bit ramp: distinct data that encodes to non-silence.
std::vector<std::uint8_t> Ramp(std::size_t n);

}  // namespace liftvox::test
