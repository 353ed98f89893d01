#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace liftvox {

// The length in PCM frames that a WAV file yields, or nothing when it cannot
// be read. Configurations re-measure their samples with it when they load, so
// the memory estimate counts what the files really hold, not what an older
// file once said.
std::optional<int32_t> MeasureWaveFrames(const std::string& fileName);

}  // namespace liftvox
