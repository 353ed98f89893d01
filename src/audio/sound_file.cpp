#include "audio/sound_file.h"

#include <sndfile.h>

#include <cmath>

namespace liftvox {
namespace {

BufferedFile& FileOf(void* userData) { return *static_cast<BufferedFile*>(userData); }

sf_count_t FileLength(void* userData) { return FileOf(userData).Size(); }

sf_count_t FileSeek(sf_count_t offset, int whence, void* userData) {
  BufferedFile& file = FileOf(userData);
  sf_count_t target = offset;
  if (whence == SEEK_CUR) target += file.Tell();
  if (whence == SEEK_END) target += file.Size();
  return file.Seek(target) ? target : -1;
}

sf_count_t FileRead(void* buffer, sf_count_t bytes, void* userData) {
  const std::int64_t got = FileOf(userData).Read(buffer, bytes);
  return got < 0 ? 0 : got;
}

sf_count_t FileWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t FileTell(void* userData) { return FileOf(userData).Tell(); }

}  // namespace

struct SoundFile::Handle {
  // Kept beside the handle that may refer to it.
  SF_VIRTUAL_IO callbacks{FileLength, FileSeek, FileRead, FileWrite, FileTell};
  SNDFILE* sndfile = nullptr;
  ~Handle() {
    if (sndfile) sf_close(sndfile);
  }
};

std::unique_ptr<SoundFile> SoundFile::Open(BufferedFile& file) {
  if (!file.Seek(0)) return nullptr;
  SF_INFO info{};
  auto handle = std::make_unique<Handle>();
  handle->sndfile = sf_open_virtual(&handle->callbacks, SFM_READ, &info, &file);
  if (!handle->sndfile || info.channels <= 0 || info.samplerate <= 0 || info.frames < 0) {
    return nullptr;
  }
  std::unique_ptr<SoundFile> sound(new SoundFile(std::move(handle)));
  sound->channels_ = info.channels;
  sound->sampleRate_ = info.samplerate;
  sound->frames_ = info.frames;
  return sound;
}

SoundFile::SoundFile(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}

SoundFile::~SoundFile() = default;

std::int64_t SoundFile::ReadShort(std::int16_t* buffer, std::int64_t frames) {
  // libsndfile would either leave float data unscaled or scale it to the
  // file's peak; going through doubles scales every coding alike, and rounds
  // deeper integer samples to the nearest 16-bit value.
  scratch_.resize(static_cast<std::size_t>(frames * channels_));
  const sf_count_t got = sf_readf_double(handle_->sndfile, scratch_.data(), frames);
  if (got < 0 || (got < frames && sf_error(handle_->sndfile) != SF_ERR_NO_ERROR)) return -1;
  const std::int64_t samples = got * channels_;
  for (std::int64_t i = 0; i < samples; ++i) {
    const double level = std::floor(scratch_[static_cast<std::size_t>(i)] * 32768.0 + 0.5);
    buffer[i] = !(level > -32768.0) ? std::int16_t{-32768}  // also NaN
                : level >= 32767.0  ? std::int16_t{32767}
                                    : static_cast<std::int16_t>(level);
  }
  position_ += got;
  return got;
}

std::int64_t SoundFile::ReadFloat(float* buffer, std::int64_t frames) {
  const sf_count_t got = sf_readf_float(handle_->sndfile, buffer, frames);
  if (got < 0 || (got < frames && sf_error(handle_->sndfile) != SF_ERR_NO_ERROR)) return -1;
  position_ += got;
  return got;
}

bool SoundFile::Seek(std::int64_t frame) {
  if (frame == position_) return true;
  if (sf_seek(handle_->sndfile, frame, SEEK_SET) != frame) return false;
  position_ = frame;
  return true;
}

}  // namespace liftvox
