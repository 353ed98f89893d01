#include "audio/convert.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <type_traits>
#include <vector>

#include "audio/buffered_file.h"
#include "audio/sound_file.h"
#include "audio/wave_error.h"
#include "audio/wave_format.h"
#include "audio/wave_stream.h"
#include "config/file_io.h"
#include "config/paths.h"

namespace liftvox {
namespace {

constexpr std::int64_t kBlockFrames = 4096;
// What a resampler may add beyond the exact ratio: its filter's tail.
constexpr double kResamplerSlack = 4096;

struct TooLong : WaveError {
  TooLong() : WaveError("The recording is longer than the largest announcer memory holds.") {}
};

struct ResamplerDeleter {
  void operator()(soxr_t resampler) const { soxr_delete(resampler); }
};
using Resampler = std::unique_ptr<std::remove_pointer_t<soxr_t>, ResamplerDeleter>;

// Turns mono samples at the source rate into samples at the announcer's
// rate, never more than the input yields at that rate.
class AnnouncerSamples {
 public:
  explicit AnnouncerSamples(int sourceRate)
      : ratio_(static_cast<double>(kAnnouncerSampleRate) / sourceRate) {
    if (sourceRate == static_cast<int>(kAnnouncerSampleRate)) return;
    soxr_error_t error = nullptr;
    resampler_.reset(
        soxr_create(sourceRate, kAnnouncerSampleRate, 1, &error, nullptr, nullptr, nullptr));
    if (error || !resampler_) throw WaveError("Unable to convert sample.");
    resampled_.resize(kBlockFrames);
  }

  void Put(const float* samples, std::size_t count) {
    input_ += count;
    if (!resampler_) {
      Emit(samples, count);
      return;
    }
    std::size_t used = 0;
    while (used < count) {
      std::size_t consumed = 0;
      std::size_t produced = 0;
      Resample(samples + used, count - used, &consumed, &produced);
      if (consumed == 0 && produced == 0) throw WaveError("Unable to convert sample.");
      Emit(resampled_.data(), produced);
      used += consumed;
    }
  }

  // Drains what the resampler still holds at the end of the input.
  void Finish() {
    if (!resampler_) return;
    for (;;) {
      std::size_t produced = 0;
      Resample(nullptr, 0, nullptr, &produced);
      if (produced == 0) break;
      Emit(resampled_.data(), produced);
    }
  }

  std::vector<float>& Samples() { return samples_; }

 private:
  void Resample(const float* in, std::size_t count, std::size_t* consumed, std::size_t* produced) {
    if (soxr_process(resampler_.get(), in, count, consumed, resampled_.data(), resampled_.size(),
                     produced)) {
      throw WaveError("Unable to convert sample.");
    }
  }

  void Emit(const float* samples, std::size_t count) {
    const std::size_t total = samples_.size() + count;
    if (static_cast<double>(total) > static_cast<double>(input_) * ratio_ + kResamplerSlack)
      throw WaveError("Unable to convert sample.");
    if (total > static_cast<std::size_t>(kLargestRecording)) throw TooLong();
    samples_.insert(samples_.end(), samples, samples + count);
  }

  Resampler resampler_;
  std::vector<float> resampled_;
  std::vector<float> samples_;
  double ratio_;
  std::size_t input_ = 0;
};

// The samples of the input at the announcer's rate, edited; nothing when
// stopped.
std::optional<std::vector<float>> DecodeToAnnouncerRate(const std::filesystem::path& input,
                                                        const SoundEdits& edits,
                                                        const JobProgress& progress) {
  BufferedFile source;
  std::error_code error;
  if (std::filesystem::exists(input, error) && !IsRegularFile(input))
    throw WaveError("Not a regular file.");
  if (!source.Open(input, BufferedFile::Mode::Read)) throw WaveError("Can't open file stream.");
  const std::unique_ptr<SoundFile> sound = SoundFile::Open(source);
  if (!sound) throw WaveError("Unsupported audio file format.");
  if (sound->SampleRate() < static_cast<int>(kMinimumSampleRate))
    throw WaveSampleRateError(static_cast<std::uint32_t>(sound->SampleRate()));
  // Refused before decoding when the file says its length; a file that
  // claims less than it holds is stopped as the result grows too long.
  if (static_cast<double>(sound->Frames()) * kAnnouncerSampleRate / sound->SampleRate() >
      static_cast<double>(kLargestRecording))
    throw TooLong();
  const int channels = sound->Channels();
  AnnouncerSamples samples(sound->SampleRate());
  std::vector<float> interleaved(static_cast<std::size_t>(kBlockFrames * channels));
  std::vector<float> mono(static_cast<std::size_t>(kBlockFrames));
  const std::string name = PathToUtf8(input);
  for (std::int64_t decoded = 0;;) {
    const std::int64_t frames = sound->ReadFloat(interleaved.data(), kBlockFrames);
    if (frames < 0) throw WaveError("Unable to convert sample.");
    if (frames == 0) break;
    for (std::int64_t frame = 0; frame < frames; ++frame) {
      const float* first = interleaved.data() + frame * channels;
      float sum = 0.0f;
      for (int channel = 0; channel < channels; ++channel) sum += first[channel];
      mono[static_cast<std::size_t>(frame)] = sum / static_cast<float>(channels);
    }
    samples.Put(mono.data(), static_cast<std::size_t>(frames));
    decoded += frames;
    const double fraction =
        sound->Frames() > 0 ? static_cast<double>(decoded) / sound->Frames() : 0.0;
    if (!ReportProgress(progress, name, static_cast<float>(std::min(fraction, 1.0))))
      return std::nullopt;
  }
  samples.Finish();
  std::vector<float>& result = samples.Samples();
  if (edits.trimSilence) {
    const SampleRange kept = TrimmedRange(result, kAnnouncerSampleRate);
    result.erase(result.begin() + static_cast<std::ptrdiff_t>(kept.end), result.end());
    result.erase(result.begin(), result.begin() + static_cast<std::ptrdiff_t>(kept.begin));
  }
  if (edits.normalise) Normalise(result);
  return std::move(result);
}

}  // namespace

std::uint8_t FloatTo8Bit(float sample) {
  const double level = std::floor(double{sample} * 128.0 + 128.5);
  if (!(level > 0.0)) return 0;  // also NaN
  if (level >= 255.0) return 255;
  return static_cast<std::uint8_t>(level);
}

std::optional<std::int64_t> ConvertRecording(const std::filesystem::path& input,
                                             const std::filesystem::path& output,
                                             const JobProgress& progress, const SoundEdits& edits) {
  // The input is closed again before the output replaces it, which may be the same file.
  const auto samples = DecodeToAnnouncerRate(input, edits, progress);
  if (!samples) return std::nullopt;
  std::vector<std::uint8_t> bytes(samples->size());
  std::transform(samples->begin(), samples->end(), bytes.begin(), FloatTo8Bit);
  if (!WriteFileAtomically(output, WaveFileBytes(AnnouncerPcmFormat(), bytes))) {
    throw WaveError("Error writing to file.");
  }
  return static_cast<std::int64_t>(bytes.size());
}

}  // namespace liftvox
