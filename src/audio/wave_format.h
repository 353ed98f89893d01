#pragma once

#include <cstdint>

namespace liftvox {

inline constexpr std::uint16_t kWaveFormatPcm = 1;
inline constexpr std::uint16_t kWaveFormatMpegLayer3 = 0x55;
inline constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;

// The sample rate the announcer plays at.
inline constexpr std::uint32_t kAnnouncerSampleRate = 14456;
// No recording is made at fewer samples per second: a file that says so is
// broken (0 Hz), or would be stretched beyond any use.
inline constexpr std::uint32_t kMinimumSampleRate = 1000;
// As many samples as the largest announcer memory (8 MB, two samples a byte)
// can hold, about 19 minutes: a longer recording could never be played.
inline constexpr std::int64_t kLargestRecording = std::int64_t{2} << 23;

// The 18-byte wave format record of a RIFF/WAVE "fmt " chunk (little-endian on
// disk). Codec-specific bytes that follow it (`extraSize` of them) are kept
// apart by whoever owns the record.
struct WaveFormat {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSec = 0;
  std::uint32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;  // bytes per frame
  std::uint16_t bitsPerSample = 0;
  std::uint16_t extraSize = 0;

  friend bool operator==(const WaveFormat&, const WaveFormat&) = default;
};

inline constexpr int kWaveFormatRecordSize = 18;

// Plain PCM with the block alignment and byte rate derived from the rest.
constexpr WaveFormat MakePcmFormat(std::uint16_t channels, std::uint32_t samplesPerSec,
                                   std::uint16_t bitsPerSample) {
  const auto blockAlign = static_cast<std::uint16_t>(channels * ((bitsPerSample + 7) / 8));
  return WaveFormat{kWaveFormatPcm, channels, samplesPerSec, samplesPerSec * blockAlign, blockAlign,
                    bitsPerSample,  0};
}

// Mono, 8 bits unsigned, 14456 samples per second: what the announcer plays
// and what previews and converted recordings are written in.
constexpr WaveFormat AnnouncerPcmFormat() { return MakePcmFormat(1, kAnnouncerSampleRate, 8); }

}  // namespace liftvox
