#include "audio/convert.h"

#include <soxr.h>

#include <cmath>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "audio/buffered_file.h"
#include "audio/sound_file.h"
#include "audio/wave_error.h"
#include "audio/wave_format.h"
#include "audio/wave_stream.h"

namespace liftvox {
namespace {

constexpr std::int64_t kBlockFrames = 4096;

struct ResamplerDeleter {
  void operator()(soxr_t resampler) const { soxr_delete(resampler); }
};
using Resampler = std::unique_ptr<std::remove_pointer_t<soxr_t>, ResamplerDeleter>;

// Removes the temporary file unless the conversion got as far as renaming it.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) {
      std::error_code ignored;
      std::filesystem::remove(path_, ignored);
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  void MoveTo(const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(path_, target, error);
    if (error) throw WaveError("Error writing to file.");
    path_.clear();
  }

 private:
  std::filesystem::path path_;
};

// Turns mono samples at the source rate into announcer bytes on the stream.
class AnnouncerWriter {
 public:
  AnnouncerWriter(TWaveStream& stream, int sourceRate) : stream_(stream) {
    if (sourceRate == static_cast<int>(kAnnouncerSampleRate)) return;
    soxr_error_t error = nullptr;
    resampler_.reset(
        soxr_create(sourceRate, kAnnouncerSampleRate, 1, &error, nullptr, nullptr, nullptr));
    if (error || !resampler_) throw WaveError("Unable to convert sample.");
  }

  void Put(const float* samples, std::size_t count) {
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

  std::int64_t Written() const { return written_; }

 private:
  void Resample(const float* in, std::size_t count, std::size_t* consumed, std::size_t* produced) {
    resampled_.resize(kBlockFrames);
    if (soxr_process(resampler_.get(), in, count, consumed, resampled_.data(), resampled_.size(),
                     produced)) {
      throw WaveError("Unable to convert sample.");
    }
  }

  void Emit(const float* samples, std::size_t count) {
    bytes_.resize(count);
    for (std::size_t i = 0; i < count; ++i) bytes_[i] = FloatTo8Bit(samples[i]);
    stream_.Write(bytes_.data(), static_cast<std::int32_t>(count));
    written_ += static_cast<std::int64_t>(count);
  }

  TWaveStream& stream_;
  Resampler resampler_;
  std::vector<float> resampled_;
  std::vector<std::uint8_t> bytes_;
  std::int64_t written_ = 0;
};

}  // namespace

std::uint8_t FloatTo8Bit(float sample) {
  const double level = std::floor(double{sample} * 128.0 + 128.5);
  if (!(level > 0.0)) return 0;  // also NaN
  if (level >= 255.0) return 255;
  return static_cast<std::uint8_t>(level);
}

std::int64_t ConvertRecording(const std::filesystem::path& input,
                              const std::filesystem::path& output) {
  BufferedFile source;
  if (!source.Open(input, BufferedFile::Mode::Read)) throw WaveError("Can't open file stream.");
  const std::unique_ptr<SoundFile> sound = SoundFile::Open(source);
  if (!sound) throw WaveError("Unsupported audio file format.");
  const int channels = sound->Channels();

  TemporaryFile temporary(std::filesystem::path(output) += ".tmp");
  std::int64_t written = 0;
  {
    TFileWaveStream stream(temporary.Path(), AnnouncerPcmFormat());
    AnnouncerWriter writer(stream, sound->SampleRate());
    std::vector<float> interleaved(static_cast<std::size_t>(kBlockFrames * channels));
    std::vector<float> mono(static_cast<std::size_t>(kBlockFrames));
    for (;;) {
      const std::int64_t frames = sound->ReadFloat(interleaved.data(), kBlockFrames);
      if (frames < 0) throw WaveError("Unable to convert sample.");
      if (frames == 0) break;
      for (std::int64_t frame = 0; frame < frames; ++frame) {
        const float* first = interleaved.data() + frame * channels;
        float sum = 0.0f;
        for (int channel = 0; channel < channels; ++channel) sum += first[channel];
        mono[static_cast<std::size_t>(frame)] = sum / static_cast<float>(channels);
      }
      writer.Put(mono.data(), static_cast<std::size_t>(frames));
    }
    writer.Finish();
    stream.Finish();
    written = writer.Written();
  }
  source.Close();
  temporary.MoveTo(output);
  return written;
}

}  // namespace liftvox
