#include "audio/wave_length.h"

#include <system_error>

#include "audio/pcm_wave_reader.h"
#include "audio/wave_error.h"
#include "audio/wave_stream.h"
#include "config/paths.h"

namespace liftvox {

std::optional<int32_t> MeasureWaveFrames(const std::string& fileName) {
  const auto path = NativePath(fileName);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  try {
    TFileWaveStream stream(path);
    TPCMWaveReader reader(stream);
    if (reader.TotalFrames() > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(reader.TotalFrames());
  } catch (const WaveError&) {
    return std::nullopt;
  }
}

}  // namespace liftvox
