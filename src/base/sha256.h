#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace liftvox {

// SHA-256 (FIPS 180-4) of bytes fed in any number of pieces; the production
// log names each image by it. Small and slow enough for one hash of an image
// per programming run, not for bulk hashing.
class Sha256 {
 public:
  Sha256();
  void Update(std::span<const uint8_t> bytes);
  // The 64 lowercase hex digits of the digest; the object is spent afterwards.
  std::string FinishHex();

 private:
  void Block(const uint8_t* block);

  std::array<uint32_t, 8> state_;
  std::array<uint8_t, 64> pending_{};
  size_t pendingSize_ = 0;
  uint64_t totalBytes_ = 0;
};

// The hex digest of `bytes` in one call.
std::string Sha256Hex(std::span<const uint8_t> bytes);

}  // namespace liftvox
