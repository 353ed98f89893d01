#include "image/played_waveform.h"

#include "audio/announcer_sample_reader.h"
#include "audio/sound_edits.h"
#include "audio/wave_format.h"
#include "config/paths.h"
#include "image/recording_encoder.h"

namespace liftvox {

double PlayedWaveform::Seconds() const {
  return static_cast<double>(samples.size()) / kAnnouncerSampleRate;
}

std::optional<PlayedWaveform> ReadPlayedWaveform(const std::filesystem::path& file,
                                                 EncoderKind encoder, const JobProgress& progress) {
  const std::vector<std::uint8_t> samples = AnnouncerSampleReader(file).ReadRest();
  const std::string name = PathToUtf8(file);
  const auto total = static_cast<double>(samples.size());
  auto played = PlayedSamples(samples, encoder, [&](std::int64_t done) {
    return ReportProgress(progress, name, static_cast<float>(static_cast<double>(done) / total));
  });
  if (!played) return std::nullopt;
  PlayedWaveform waveform;
  waveform.peakDbfs = PeakDbfs(*played);
  waveform.samples = std::move(*played);
  return waveform;
}

RecordingFilter AnnouncerPlayback(EncoderKind encoder) {
  return [encoder](std::span<const std::uint8_t> samples,
                   const std::function<bool(double)>& progress) {
    const auto total = static_cast<double>(samples.size());
    return PlayedSamples(samples, encoder, [&](std::int64_t done) {
      return progress(static_cast<double>(done) / total);
    });
  };
}

}  // namespace liftvox
