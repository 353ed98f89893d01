#include "image/recording_encoder.h"

#include <algorithm>

#include "image/adpcm.h"

namespace liftvox {
namespace {

// The standard coder is fast: it reports in long stretches, all even so that
// each starts on a whole byte.
constexpr std::size_t kStandardStretch = 1 << 16;

bool EncodeStandard(std::span<const std::uint8_t> samples, std::span<std::uint8_t> output,
                    const SampleProgress& progress) {
  AdpcmState state;
  for (std::size_t done = 0; done < samples.size();) {
    const std::size_t count = std::min(kStandardStretch, samples.size() - done);
    adpcm_coder(samples.data() + done, output.data() + done / 2, static_cast<std::int32_t>(count),
                state);
    done += count;
    if (progress && !progress(static_cast<std::int64_t>(done))) return false;
  }
  return true;
}

std::uint64_t SquaredError(std::span<const std::uint8_t> samples,
                           std::span<const std::uint8_t> codes) {
  const std::vector<std::uint8_t> played = DecodeRecording(codes, samples.size());
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const int error = played[i] - samples[i];
    sum += static_cast<std::uint64_t>(error * error);
  }
  return sum;
}

}  // namespace

bool EncodeRecording(std::span<const std::uint8_t> samples, EncoderKind encoder,
                     std::span<std::uint8_t> output, const SampleProgress& progress) {
  if (encoder == EncoderKind::Standard) return EncodeStandard(samples, output, progress);
  if (!SearchAdpcmCodes(samples, output, progress)) return false;
  const std::size_t bytes = (samples.size() + 1) / 2;
  std::vector<std::uint8_t> standard(bytes);
  EncodeStandard(samples, standard, {});
  if (SquaredError(samples, standard) <= SquaredError(samples, output.first(bytes)))
    std::copy(standard.begin(), standard.end(), output.begin());
  return true;
}

std::vector<std::uint8_t> DecodeRecording(std::span<const std::uint8_t> codes,
                                          std::size_t samples) {
  std::vector<std::uint8_t> played(samples);
  AdpcmState state;
  // In stretches, as the decoder counts in 32 bits.
  for (std::size_t done = 0; done < samples;) {
    const std::size_t count = std::min(kStandardStretch, samples - done);
    adpcm_decoder(codes.data() + done / 2, played.data() + done, static_cast<std::int32_t>(count),
                  state);
    done += count;
  }
  return played;
}

std::optional<std::vector<std::uint8_t>> PlayedSamples(std::span<const std::uint8_t> samples,
                                                       EncoderKind encoder,
                                                       const SampleProgress& progress) {
  std::vector<std::uint8_t> codes((samples.size() + 1) / 2);
  if (!EncodeRecording(samples, encoder, codes, progress)) return std::nullopt;
  return DecodeRecording(codes, samples.size());
}

}  // namespace liftvox
