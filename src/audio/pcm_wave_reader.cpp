#include "audio/pcm_wave_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "audio/sound_file.h"
#include "audio/wave_error.h"

namespace liftvox {
namespace {

// KSDATAFORMAT_SUBTYPE_PCM as it lies in the file.
constexpr std::array<std::uint8_t, 16> kPcmSubFormat = {
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool IsPcmTag(const WaveFormat& format, std::span<const std::uint8_t> extra) {
  if (format.formatTag == kWaveFormatPcm) return true;
  // Extensible record: valid bits (2), channel mask (4), then the sub-format.
  return format.formatTag == kWaveFormatExtensible && extra.size() >= 22 &&
         std::equal(kPcmSubFormat.begin(), kPcmSubFormat.end(), extra.begin() + 6);
}

// PCM whose frames can be handed on byte for byte.
bool PassesThrough(const WaveFormat& format, std::span<const std::uint8_t> extra) {
  const bool usableDepth = format.bitsPerSample == 8 || format.bitsPerSample == 16;
  return IsPcmTag(format, extra) && usableDepth &&
         format.blockAlign == format.channels * (format.bitsPerSample / 8);
}

}  // namespace

TPCMWaveReader::TPCMWaveReader(TWaveStream& source) : source_(source) {
  const WaveFormat& format = *source.FormatPtr();
  if (PassesThrough(format, source.FormatExtra())) {
    pcmFormat_ = format.formatTag == kWaveFormatPcm
                     ? format
                     : MakePcmFormat(format.channels, format.samplesPerSec, format.bitsPerSample);
    totalFrames_ = source.FrameCount();
    return;
  }
  decoder_ = SoundFile::Open(source.File());
  if (!decoder_ || decoder_->Channels() != format.channels ||
      static_cast<std::uint32_t>(decoder_->SampleRate()) != format.samplesPerSec) {
    throw WaveError("Can't suggest pcm format.");
  }
  pcmFormat_ = MakePcmFormat(format.channels, format.samplesPerSec, 16);
  // Decoders deliver whole coded blocks; the writer's own count, where it
  // left one, cuts off the padding of the last block. Writers that stream
  // leave 0 there, which says nothing.
  totalFrames_ = decoder_->Frames();
  if (source.FactSamples().value_or(0) > 0) {
    totalFrames_ = std::min<std::int64_t>(totalFrames_, *source.FactSamples());
  }
}

TPCMWaveReader::~TPCMWaveReader() = default;

std::int32_t TPCMWaveReader::Read(void* buffer, std::int32_t frames) {
  if (frames < 1) return 0;
  if (decoder_) return ReadDecoded(buffer, frames);
  const auto wanted =
      static_cast<std::int32_t>(std::min<std::int64_t>(frames, totalFrames_ - position_));
  if (wanted <= 0) return 0;
  source_.Seek(position_, SeekOrigin::Begin);
  const std::int32_t got = source_.Read(buffer, wanted);
  position_ += got;
  return got;
}

std::int32_t TPCMWaveReader::ReadDecoded(void* buffer, std::int32_t frames) {
  const auto wanted =
      static_cast<std::int32_t>(std::min<std::int64_t>(frames, totalFrames_ - position_));
  if (wanted <= 0) return 0;
  const std::size_t samples = static_cast<std::size_t>(wanted) * pcmFormat_.channels;
  decoded_.resize(samples);
  if (!decoder_->Seek(position_) || decoder_->ReadShort(decoded_.data(), wanted) != wanted) {
    throw WaveError("Unable to convert sample.");
  }
  if constexpr (std::endian::native == std::endian::big) {
    for (auto& sample : decoded_) {
      const auto bits = static_cast<std::uint16_t>(sample);
      sample = static_cast<std::int16_t>((bits >> 8) | (bits << 8));
    }
  }
  // Copied bytewise: the caller's buffer need not be aligned for 16-bit access.
  std::memcpy(buffer, decoded_.data(), samples * sizeof(std::int16_t));
  position_ += wanted;
  return wanted;
}

}  // namespace liftvox
