// A WAV file read to its end: as PCM frames whatever its coding, as the
// announcer's samples (the image builder's and the preview's reader), and
// measured as a configuration's sample.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "audio/announcer_sample_reader.h"
#include "audio/pcm_wave_reader.h"
#include "audio/wave_error.h"
#include "audio/wave_length.h"
#include "audio/wave_stream.h"
#include "config/paths.h"
#include "fuzz_input.h"

using namespace liftvox;

namespace {

void ReadPcmToTheEnd(const std::filesystem::path& path) {
  TFileWaveStream stream(path);
  TPCMWaveReader reader(stream);
  const int blockAlign = std::max<int>(reader.PcmFormat().blockAlign, 1);
  std::vector<uint8_t> buffer(65536);
  const auto frames = static_cast<int32_t>(std::max<std::size_t>(buffer.size() / blockAlign, 1));
  buffer.resize(static_cast<std::size_t>(frames) * blockAlign);
  while (reader.Read(buffer.data(), frames) > 0) {
  }
}

void ReadAnnouncerSamplesToTheEnd(const std::filesystem::path& path) {
  AnnouncerSampleReader reader(path);
  while (!reader.NextBlock().empty()) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const auto path = fuzz::WriteScratchFile("input.wav", data, size);
  try {
    ReadPcmToTheEnd(path);
  } catch (const WaveError&) {
  }
  try {
    ReadAnnouncerSamplesToTheEnd(path);
  } catch (const WaveError&) {
  }
  MeasureWaveFrames(PathToUtf8(path));
  return 0;
}
