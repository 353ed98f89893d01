#include "audio/announcer_sample_reader.h"

#include <algorithm>

#include "audio/sample_reduction.h"
#include "audio/wave_error.h"
#include "audio/wave_format.h"

namespace liftvox {

AnnouncerSampleReader::AnnouncerSampleReader(const std::filesystem::path& file)
    : stream_(file), reader_(stream_) {
  const WaveFormat& format = reader_.PcmFormat();
  if (format.channels != 1 || (format.bitsPerSample != 8 && format.bitsPerSample != 16))
    throw WaveError("Only mono 8- or 16-bit sound can be used.");
  eightBit_ = format.bitsPerSample == 8;
}

std::span<const std::uint8_t> AnnouncerSampleReader::NextBlock() {
  // Two bytes a sample for 16-bit sound: the block is reduced in place.
  const std::int32_t request = eightBit_ ? kBlockSamples : kBlockSamples / 2;
  const std::int32_t frames = std::max(reader_.Read(buffer_.data(), request), 0);
  // A reader that delivers more than it promised must not write past a sample's space.
  const auto kept =
      static_cast<std::int32_t>(std::min<std::int64_t>(frames, TotalFrames() - delivered_));
  if (kept <= 0) return {};
  if (!eightBit_) ReduceBufferTo8Bit(buffer_.data(), kept);
  delivered_ += kept;
  return {buffer_.data(), static_cast<std::size_t>(kept)};
}

std::vector<std::uint8_t> AnnouncerSampleReader::ReadRest() {
  if (TotalFrames() > kLargestRecording)
    throw WaveError("The recording is longer than the largest announcer memory holds.");
  std::vector<std::uint8_t> samples;
  samples.reserve(static_cast<std::size_t>(TotalFrames() - delivered_));
  for (auto block = NextBlock(); !block.empty(); block = NextBlock())
    samples.insert(samples.end(), block.begin(), block.end());
  return samples;
}

}  // namespace liftvox
