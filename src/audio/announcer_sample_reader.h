#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "audio/pcm_wave_reader.h"
#include "audio/wave_stream.h"

namespace liftvox {

// Reads a recording as the announcer's samples, unsigned 8-bit mono, block by
// block: 8-bit sound as it is, 16-bit sound reduced by ReduceTo8Bit, in any
// coding TPCMWaveReader decodes. The image builder and the preview read their
// recordings through it, so both hear the same bytes. Failures raise
// WaveError; sound that is not mono 8- or 16-bit is refused on opening.
class AnnouncerSampleReader {
 public:
  static constexpr std::int32_t kBlockSamples = 1024;

  explicit AnnouncerSampleReader(const std::filesystem::path& file);
  AnnouncerSampleReader(const AnnouncerSampleReader&) = delete;
  AnnouncerSampleReader& operator=(const AnnouncerSampleReader&) = delete;

  // The samples the file holds.
  std::int64_t TotalFrames() const { return reader_.TotalFrames(); }
  // The file's own sample rate.
  std::uint32_t SampleRate() const { return reader_.PcmFormat().samplesPerSec; }

  // The next block: 1024 samples of 8-bit sound or 512 of 16-bit sound, fewer
  // at the end, none after it, and never more than TotalFrames() in all.
  // Valid until the next call.
  std::span<const std::uint8_t> NextBlock();

  // Every sample not yet delivered, at once, for work that needs the whole
  // recording. Raises WaveError when the file says it holds more than
  // kLargestRecording, which no announcer could play.
  std::vector<std::uint8_t> ReadRest();

 private:
  TFileWaveStream stream_;
  TPCMWaveReader reader_;
  bool eightBit_ = true;
  std::int64_t delivered_ = 0;
  std::array<std::uint8_t, kBlockSamples> buffer_{};
};

}  // namespace liftvox
