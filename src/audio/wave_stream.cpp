#include "audio/wave_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "audio/wave_error.h"
#include "base/little_endian.h"

namespace liftvox {
namespace {

// Writers that stream to a pipe leave these in the RIFF size field; the body
// then simply runs to the end of the file.
bool IsPlaceholderSize(std::uint32_t size) { return size == 0 || size == 0xFFFFFFFFu; }

void SerializeFormat(const WaveFormat& format, std::uint8_t* out) {
  WriteLittleEndian16(out + 0, format.formatTag);
  WriteLittleEndian16(out + 2, format.channels);
  WriteLittleEndian32(out + 4, format.samplesPerSec);
  WriteLittleEndian32(out + 8, format.avgBytesPerSec);
  WriteLittleEndian16(out + 12, format.blockAlign);
  WriteLittleEndian16(out + 14, format.bitsPerSample);
  WriteLittleEndian16(out + 16, format.extraSize);
}

}  // namespace

TWaveStream::TWaveStream(BufferedFile& file) : file_(file) { Parse(); }

TWaveStream::TWaveStream(BufferedFile& file, const WaveFormat& format,
                         std::span<const std::uint8_t> extra)
    : file_(file), format_(format), extra_(extra.begin(), extra.end()), writing_(true) {
  if (extra.size() > std::numeric_limits<std::uint16_t>::max() || format.blockAlign == 0) {
    throw WaveError("Invalid wave format!");
  }
  format_.extraSize = static_cast<std::uint16_t>(extra.size());
  CreateHeader();
}

TWaveStream::~TWaveStream() {
  if (writing_ && !finished_) {
    try {
      Finish();
    } catch (const WaveError&) {
      // Nobody to tell; a caller who cares calls Finish() itself.
    }
  }
}

void TWaveStream::Parse() {
  if (!file_.Seek(0) || !DescendIntoChunk(file_, riffInfo_)) {
    throw WaveError("Invalid multimedia file!");
  }
  if (riffInfo_.id != MakeFourCC("RIFF") || riffInfo_.formType != MakeFourCC("WAVE")) {
    throw WaveError("Not a wave file!");
  }
  const std::int64_t fileSize = file_.Size();
  const std::int64_t riffEnd =
      IsPlaceholderSize(riffInfo_.size)
          ? fileSize
          : std::min<std::int64_t>(riffInfo_.dataOffset + riffInfo_.size, fileSize);

  if (!FindChunk(file_, MakeFourCC("fmt "), riffEnd, chunkInfo_)) {
    throw WaveError("Couldn't find 'fmt' chunk!");
  }
  if (chunkInfo_.size < 16) throw WaveError("Abnormal 'fmt' size!");
  ReadFormat(chunkInfo_);
  if (format_.formatTag == kWaveFormatMpegLayer3) {
    throw WaveError("MPEG Layer-3 compression is not supported.");
  }
  // Every count below is divided by the block alignment.
  if (format_.blockAlign == 0 || format_.channels == 0) throw WaveError("Invalid wave format!");
  if (format_.samplesPerSec < kMinimumSampleRate) throw WaveSampleRateError(format_.samplesPerSec);
  if (!AscendFromChunk(file_, chunkInfo_)) throw WaveError("Error ascending from 'fmt' chunk!");

  // The data chunk may come before the fmt chunk: search the whole body again.
  if (!file_.Seek(riffInfo_.dataOffset + 4)) throw WaveError("Error seeking data!");
  if (!FindChunk(file_, MakeFourCC("data"), riffEnd, chunkInfo_)) {
    throw WaveError("Couldn't find 'data' chunk!");
  }
  dataOffset_ = chunkInfo_.dataOffset;
  const std::int64_t dataSize =
      std::clamp<std::int64_t>(fileSize - dataOffset_, 0, chunkInfo_.size);
  frameCount_ = dataSize / format_.blockAlign;
  ReadFactChunk(riffEnd);
  if (!file_.Seek(dataOffset_)) throw WaveError("Error seeking data!");
}

void TWaveStream::ReadFactChunk(std::int64_t riffEnd) {
  RiffChunk fact;
  std::uint8_t count[4];
  if (file_.Seek(riffInfo_.dataOffset + 4) && FindChunk(file_, MakeFourCC("fact"), riffEnd, fact) &&
      fact.size >= 4 && file_.Read(count, 4) == 4) {
    factSamples_ = ReadLittleEndian32(count);
  }
}

void TWaveStream::ReadFormat(const RiffChunk& fmtChunk) {
  std::uint8_t record[16];
  if (file_.Read(record, 16) != 16) throw WaveError("Error reading 'fmt' chunk!");
  format_.formatTag = ReadLittleEndian16(record + 0);
  format_.channels = ReadLittleEndian16(record + 2);
  format_.samplesPerSec = ReadLittleEndian32(record + 4);
  format_.avgBytesPerSec = ReadLittleEndian32(record + 8);
  format_.blockAlign = ReadLittleEndian16(record + 12);
  format_.bitsPerSample = ReadLittleEndian16(record + 14);
  format_.extraSize = 0;
  // PCM has no codec bytes, whatever an 18-byte chunk says in its last word;
  // a 16-byte chunk of another coding has none either.
  if (format_.formatTag == kWaveFormatPcm || fmtChunk.size < 18) return;

  std::uint8_t length[2];
  if (file_.Read(length, 2) != 2) throw WaveError("Error reading 'waveformatex' length!");
  format_.extraSize = ReadLittleEndian16(length);
  // The codec bytes must lie inside the chunk, not in whatever follows it.
  if (kWaveFormatRecordSize + std::uint32_t{format_.extraSize} > fmtChunk.size) {
    throw WaveError("Error reading 'waveformatex'!");
  }
  extra_.resize(format_.extraSize);
  if (file_.Read(extra_.data(), format_.extraSize) != format_.extraSize) {
    throw WaveError("Error reading 'waveformatex'!");
  }
}

void TWaveStream::CreateHeader() {
  riffInfo_ = RiffChunk{MakeFourCC("RIFF"), 0, MakeFourCC("WAVE")};
  if (!file_.Seek(0) || !CreateChunk(file_, riffInfo_)) throw WaveError("Error creating chunk.");

  chunkInfo_ = RiffChunk{MakeFourCC("fmt ")};
  if (!CreateChunk(file_, chunkInfo_)) throw WaveError("Error creating chunk.");
  std::vector<std::uint8_t> record(kWaveFormatRecordSize + extra_.size());
  SerializeFormat(format_, record.data());
  std::copy(extra_.begin(), extra_.end(), record.begin() + kWaveFormatRecordSize);
  if (!file_.Write(record.data(), static_cast<std::int64_t>(record.size()))) {
    throw WaveError("Error writing wave format.");
  }
  if (!AscendFromChunk(file_, chunkInfo_)) throw WaveError("Cannot ascend chunk.");

  chunkInfo_ = RiffChunk{MakeFourCC("data")};
  if (!CreateChunk(file_, chunkInfo_)) throw WaveError("Error creating chunk.");
  dataOffset_ = chunkInfo_.dataOffset;
}

std::int32_t TWaveStream::Read(void* buffer, std::int32_t frames) {
  if (frames <= 0) return 0;
  const std::int64_t position = file_.Tell();
  const std::int64_t dataEnd =
      writing_ ? file_.Size() : dataOffset_ + frameCount_ * format_.blockAlign;
  const std::int64_t available = std::max<std::int64_t>(dataEnd - position, 0) / format_.blockAlign;
  const std::int64_t wanted = std::min<std::int64_t>(frames, available);
  const std::int64_t bytes = wanted * format_.blockAlign;
  const std::int64_t got = file_.Read(buffer, bytes);
  if (got < 0) throw WaveError("Error reading from file.");
  // Whole frames only; the position stays on a frame boundary.
  const std::int64_t whole = got / format_.blockAlign;
  if (got != whole * format_.blockAlign) file_.Seek(position + whole * format_.blockAlign);
  return static_cast<std::int32_t>(whole);
}

std::int32_t TWaveStream::Write(const void* buffer, std::int32_t frames) {
  if (frames <= 0) return 0;
  const std::int64_t bytes = std::int64_t{frames} * format_.blockAlign;
  // The RIFF size field must still hold the whole file afterwards.
  if (!writing_ || finished_ || file_.Tell() + bytes > 0xFFFFFFFFll ||
      !file_.Write(buffer, bytes)) {
    throw WaveError("Error writing to file.");
  }
  frameCount_ = std::max(frameCount_, (file_.Tell() - dataOffset_) / format_.blockAlign);
  return frames;
}

std::int64_t TWaveStream::Seek(std::int64_t frame, SeekOrigin origin) {
  // Far beyond any RIFF file, and small enough that the byte offset cannot overflow.
  constexpr std::int64_t kFarthest = std::int64_t{1} << 40;
  if (frame > kFarthest || frame < -kFarthest) {
    throw WaveError("Seeking to an invalid location in the file.");
  }
  const std::int64_t offset = frame * format_.blockAlign;
  std::int64_t target = 0;
  switch (origin) {
    case SeekOrigin::Begin:
      target = dataOffset_ + offset;
      break;
    case SeekOrigin::Current:
      target = file_.Tell() + offset;
      break;
    case SeekOrigin::End:
      target = file_.Size() + offset;
      break;
  }
  if (target < dataOffset_ || !file_.Seek(target)) {
    throw WaveError("Seeking to an invalid location in the file.");
  }
  return (target - dataOffset_) / format_.blockAlign;
}

void TWaveStream::Finish() {
  if (!writing_ || finished_) return;
  finished_ = true;
  if (!file_.Seek(file_.Size()) || !AscendFromChunk(file_, chunkInfo_) ||
      !AscendFromChunk(file_, riffInfo_) || !file_.Flush()) {
    throw WaveError("Error writing to file.");
  }
}

std::string WaveFileBytes(const WaveFormat& format, std::span<const std::uint8_t> sound) {
  WaveFormat record = format;
  record.extraSize = 0;
  const auto dataSize = static_cast<std::uint32_t>(sound.size());
  const std::uint32_t padding = dataSize & 1u;
  // "WAVE", the fmt chunk with its 18-byte record, the data chunk header.
  const std::uint32_t riffSize = 4 + 8 + kWaveFormatRecordSize + 8 + dataSize + padding;
  std::string bytes(8 + riffSize, '\0');
  auto* out = reinterpret_cast<std::uint8_t*>(bytes.data());
  std::memcpy(out, "RIFF", 4);
  WriteLittleEndian32(out + 4, riffSize);
  std::memcpy(out + 8, "WAVEfmt ", 8);
  WriteLittleEndian32(out + 16, kWaveFormatRecordSize);
  SerializeFormat(record, out + 20);
  std::memcpy(out + 38, "data", 4);
  WriteLittleEndian32(out + 42, dataSize);
  if (!sound.empty()) std::memcpy(out + 46, sound.data(), sound.size());
  return bytes;
}

namespace detail {
WaveFileOwner::WaveFileOwner(const std::filesystem::path& fileName, BufferedFile::Mode mode) {
  std::error_code error;
  if (mode == BufferedFile::Mode::Read && std::filesystem::exists(fileName, error) &&
      !IsRegularFile(fileName))
    throw WaveError("Not a regular file.");
  if (!ownedFile.Open(fileName, mode)) throw WaveError("Can't open file stream.");
}
}  // namespace detail

TFileWaveStream::TFileWaveStream(const std::filesystem::path& fileName)
    : WaveFileOwner(fileName, BufferedFile::Mode::Read), TWaveStream(ownedFile) {}

TFileWaveStream::TFileWaveStream(const std::filesystem::path& fileName, const WaveFormat& format,
                                 std::span<const std::uint8_t> extra)
    : WaveFileOwner(fileName, BufferedFile::Mode::Create), TWaveStream(ownedFile, format, extra) {}

}  // namespace liftvox
