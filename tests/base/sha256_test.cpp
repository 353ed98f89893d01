#include "base/sha256.h"

#include <gtest/gtest.h>

#include <vector>

namespace liftvox::test {
namespace {

// FIPS 180-4 examples: 56 bytes leave no room for the length in their block,
// so the padding needs a block of its own.
TEST(Sha256Test, KnownDigestsWholeAndByteByByte) {
  const struct {
    std::string text;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000, 'a'), "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
  };
  for (const auto& c : cases) {
    const std::vector<uint8_t> bytes(c.text.begin(), c.text.end());
    EXPECT_EQ(Sha256Hex(bytes), c.digest) << c.text.size();
    Sha256 pieces;
    for (const uint8_t byte : bytes) pieces.Update({&byte, 1});
    EXPECT_EQ(pieces.FinishHex(), c.digest) << c.text.size();
  }
}

}  // namespace
}  // namespace liftvox::test
