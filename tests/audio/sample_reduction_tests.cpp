#include "audio/sample_reduction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace liftvox {
namespace {

TEST(SampleReduction, MatchesTheFloatingPointRuleForEverySample) {
  for (int s = -32768; s <= 32767; ++s) {
    const auto expected = static_cast<std::uint8_t>(std::trunc(s / 256.0 + 128.0));
    ASSERT_EQ(ReduceTo8Bit(static_cast<std::int16_t>(s)), expected) << s;
  }
}

TEST(SampleReduction, ReducesLittleEndianBuffersInPlace) {
  const std::vector<std::int16_t> samples = {-32768, -1, 0, 255, 256, 32767, -257};
  std::vector<std::uint8_t> buffer;
  for (std::int16_t s : samples) {
    buffer.push_back(static_cast<std::uint8_t>(s & 0xFF));
    buffer.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
  }
  ReduceBufferTo8Bit(buffer.data(), static_cast<std::int32_t>(samples.size()));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    EXPECT_EQ(buffer[i], ReduceTo8Bit(samples[i])) << samples[i];
  }
}

}  // namespace
}  // namespace liftvox
