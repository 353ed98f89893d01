#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/buffered_file.h"

namespace liftvox {

// A sound file decoded by libsndfile, which reads it through one of our open
// files (so Unicode paths and our buffering apply). Anything libsndfile knows
// is accepted: WAV in any of its codings, FLAC, Ogg, AIFF and more. The
// decoder never owns the file. Samples are scaled as libsndfile normalises
// them (full scale = 1.0); 16-bit delivery rounds and clips.
class SoundFile {
 public:
  // Null when libsndfile does not recognise or cannot decode the file.
  static std::unique_ptr<SoundFile> Open(BufferedFile& file);
  ~SoundFile();
  SoundFile(const SoundFile&) = delete;
  SoundFile& operator=(const SoundFile&) = delete;

  int Channels() const { return channels_; }
  int SampleRate() const { return sampleRate_; }
  std::int64_t Frames() const { return frames_; }

  // Frames of interleaved samples at the current frame; fewer at the end,
  // -1 on a decoding error. 16-bit samples come in the machine's byte order.
  // `buffer` holds frames x Channels() samples.
  std::int64_t ReadShort(std::int16_t* buffer, std::int64_t frames);
  std::int64_t ReadFloat(float* buffer, std::int64_t frames);
  bool Seek(std::int64_t frame);
  std::int64_t Position() const { return position_; }

 private:
  struct Handle;
  explicit SoundFile(std::unique_ptr<Handle> handle);

  std::unique_ptr<Handle> handle_;
  int channels_ = 0;
  int sampleRate_ = 0;
  std::int64_t frames_ = 0;
  std::int64_t position_ = 0;
  std::vector<double> scratch_;
};

}  // namespace liftvox
