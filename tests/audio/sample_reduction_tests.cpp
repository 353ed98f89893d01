// One sample's rule, for every sample. Whole 16-bit buffers are reduced as
// the preview and image builder tests read their files.
#include "audio/sample_reduction.h"

#include <gtest/gtest.h>

#include <cmath>

namespace liftvox {
namespace {

TEST(SampleReduction, MatchesTheFloatingPointRuleForEverySample) {
  for (int s = -32768; s <= 32767; ++s) {
    const auto expected = static_cast<std::uint8_t>(std::trunc(s / 256.0 + 128.0));
    ASSERT_EQ(ReduceTo8Bit(static_cast<std::int16_t>(s)), expected) << s;
  }
}

}  // namespace
}  // namespace liftvox
