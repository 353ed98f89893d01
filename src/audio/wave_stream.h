#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "audio/buffered_file.h"
#include "audio/riff_chunk.h"
#include "audio/wave_format.h"

namespace liftvox {

enum class SeekOrigin { Begin, Current, End };

// A RIFF/WAVE stream on a file that the caller opened and keeps open for the
// stream's life. Reading: the header is parsed on construction and the file is
// left at the first sound byte. Writing: a header for the given format is
// written on construction; the data and RIFF sizes are completed by Finish()
// or, failing that, by the destructor. All counts and positions are in frames
// (block-alignment units of the data chunk). Failures raise WaveError.
class TWaveStream {
 public:
  // Parses `file`, which must be open.
  explicit TWaveStream(BufferedFile& file);
  // Starts a new WAV file in the empty, writable `file`; `extra` are the
  // codec-specific bytes behind the format record (none for PCM).
  TWaveStream(BufferedFile& file, const WaveFormat& format,
              std::span<const std::uint8_t> extra = {});
  virtual ~TWaveStream();
  TWaveStream(const TWaveStream&) = delete;
  TWaveStream& operator=(const TWaveStream&) = delete;

  // The stream's own copy of the format record; never null.
  const WaveFormat* FormatPtr() const { return &format_; }
  std::span<const std::uint8_t> FormatExtra() const { return extra_; }
  // File offset of the first byte of the data chunk.
  std::int64_t DataOffset() const { return dataOffset_; }
  // Whole frames in the data chunk, as far as the file really holds it.
  std::int64_t FrameCount() const { return frameCount_; }
  // The sample count of the "fact" chunk that coded files carry: the length
  // without the padding of the last coded block. Absent when there is none.
  std::optional<std::uint32_t> FactSamples() const { return factSamples_; }

  // Reads up to `frames` frames at the current position into `buffer`, which
  // must hold frames x block alignment bytes. Never reads past the data chunk.
  std::int32_t Read(void* buffer, std::int32_t frames);
  // Writes `frames` frames at the current position (writing streams only).
  std::int32_t Write(const void* buffer, std::int32_t frames);
  // Moves to a frame relative to the data start, the current position or the
  // end of the file; returns the new frame index, which must not be negative.
  std::int64_t Seek(std::int64_t frame, SeekOrigin origin);

  // Completes a written file (sizes, pad byte) and flushes it; reports
  // failure, which the destructor cannot. No more frames can be written after.
  void Finish();

  // The file under the stream, for decoders that parse the whole file.
  BufferedFile& File() { return file_; }

 private:
  void Parse();
  void ReadFormat(const RiffChunk& fmtChunk);
  void ReadFactChunk(std::int64_t riffEnd);
  void CreateHeader();

  BufferedFile& file_;
  WaveFormat format_;
  std::vector<std::uint8_t> extra_;
  std::int64_t dataOffset_ = 0;
  std::int64_t frameCount_ = 0;
  std::optional<std::uint32_t> factSamples_;
  RiffChunk chunkInfo_;  // the fmt chunk while parsing, then the data chunk
  RiffChunk riffInfo_;
  bool writing_ = false;
  bool finished_ = false;
};

// The bytes of a complete WAV file holding `sound` (whole frames of
// `format`), laid out exactly as a TWaveStream writes it: for saving through
// a file writer that replaces its target in one step.
std::string WaveFileBytes(const WaveFormat& format, std::span<const std::uint8_t> sound);

namespace detail {
// Opens the file before the stream base class needs it and closes it after.
struct WaveFileOwner {
  WaveFileOwner(const std::filesystem::path& fileName, BufferedFile::Mode mode);
  BufferedFile ownedFile;
};
}  // namespace detail

// A TWaveStream on a named file that it opens and closes itself. Opening
// failures raise "Can't open file stream."; a creating constructor truncates.
class TFileWaveStream final : private detail::WaveFileOwner, public TWaveStream {
 public:
  explicit TFileWaveStream(const std::filesystem::path& fileName);
  TFileWaveStream(const std::filesystem::path& fileName, const WaveFormat& format,
                  std::span<const std::uint8_t> extra = {});
};

}  // namespace liftvox
