#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/wave_format.h"
#include "audio/wave_stream.h"

namespace liftvox {

class SoundFile;

// Delivers the sound of a TWaveStream as PCM frames whatever the file's
// coding. 8- and 16-bit PCM (also in the extensible format record) is passed
// through as it is: 8-bit unsigned, 16-bit signed little-endian. Any other
// coding, and PCM of more than 16 bits, is decoded to 16-bit PCM with the
// file's own channel count and sample rate. MPEG Layer-3 never gets here: the
// stream refuses it. The reader does not own its source, which must outlive
// it. Failures raise WaveError.
class TPCMWaveReader final {
 public:
  explicit TPCMWaveReader(TWaveStream& source);
  ~TPCMWaveReader();
  TPCMWaveReader(const TPCMWaveReader&) = delete;
  TPCMWaveReader& operator=(const TPCMWaveReader&) = delete;

  // Copies up to `frames` frames from Position() into `buffer`, which must
  // hold frames x PcmFormat().blockAlign bytes, and advances Position().
  // Returns the frames delivered: 0 at the end or for a request below 1.
  std::int32_t Read(void* buffer, std::int32_t frames);

  // Always PCM (tag 1), 8 or 16 bits, no codec bytes.
  const WaveFormat& PcmFormat() const { return pcmFormat_; }
  // Length of the sound in PCM frames.
  std::int64_t TotalFrames() const { return totalFrames_; }
  // The next frame Read() delivers.
  std::int64_t Position() const { return position_; }

 private:
  std::int32_t ReadDecoded(void* buffer, std::int32_t frames);

  TWaveStream& source_;
  std::int64_t position_ = 0;
  std::int64_t totalFrames_ = 0;
  WaveFormat pcmFormat_;
  std::unique_ptr<SoundFile> decoder_;  // null for PCM passed through
  std::vector<std::int16_t> decoded_;
};

}  // namespace liftvox
