#include "audio/wave_stream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "audio/pcm_wave_reader.h"
#include "audio/wave_error.h"
#include "audio/wave_length_cache.h"
#include "support/sound_checks.h"
#include "support/test_support.h"
#include "support/wave_files.h"

namespace liftvox {
namespace {

using namespace std::string_literals;

using test::Chunk;
using test::ChunkDeclaring;
using test::FormatRecord;
using test::Le16;
using test::Le32;
using test::PcmFmtChunk;
using test::Riff;
using test::RiffDeclaring;

const std::string kFiveBytes = "\x10\x20\x30\x40\x50";

std::string ParseError(const std::string& bytes) {
  test::TempDir folder;
  test::WriteFile(folder / "broken.wav", bytes);
  return test::ErrorText([&] { TFileWaveStream stream(folder / "broken.wav"); });
}

// Everything the 8-bit reader delivers from a hand-made file.
std::string Sound(const std::string& bytes) {
  test::TempDir folder;
  test::WriteFile(folder / "sound.wav", bytes);
  const std::vector<std::uint8_t> samples = test::Decode8(folder / "sound.wav");
  return std::string(samples.begin(), samples.end());
}

TEST(WaveStreamParse, BrokenFilesGiveTheirErrors) {
  const std::string fmt8 = PcmFmtChunk(1, 14456, 8);
  const std::string data = Chunk("data", kFiveBytes);
  const struct {
    const char* what;
    std::string bytes;
    const char* error;
  } cases[] = {
      {"empty file", "", "Invalid multimedia file!"},
      {"cut in the RIFF header", "RIFF\x04\0\0\0WA"s, "Invalid multimedia file!"},
      {"big-endian RIFX", "RIFX" + Le32(4) + "WAVE", "Not a wave file!"},
      {"another form type", Riff(fmt8 + data, "AVI "), "Not a wave file!"},
      {"no fmt chunk", Riff(data), "Couldn't find 'fmt' chunk!"},
      {"fmt header cut short", RiffDeclaring(12, "fmt \x10"), "Couldn't find 'fmt' chunk!"},
      {"14-byte fmt", Riff(Chunk("fmt ", FormatRecord(1, 1, 8000, 1, 8).substr(0, 14)) + data),
       "Abnormal 'fmt' size!"},
      {"fmt cut short",
       RiffDeclaring(100, ChunkDeclaring("fmt ", 16, FormatRecord(1, 1, 8000, 1, 8).substr(0, 10))),
       "Error reading 'fmt' chunk!"},
      {"extra-size word missing",
       RiffDeclaring(100, ChunkDeclaring("fmt ", 18, FormatRecord(2, 1, 8000, 256, 4))),
       "Error reading 'waveformatex' length!"},
      {"extra bytes beyond the fmt chunk",
       Riff(Chunk("fmt ", FormatRecord(2, 1, 8000, 256, 4) + Le16(32)) + data),
       "Error reading 'waveformatex'!"},
      {"MPEG Layer-3", Riff(Chunk("fmt ", FormatRecord(0x55, 1, 8000, 1, 0) + Le16(0)) + data),
       "MPEG Layer-3 compression is not supported."},
      {"block alignment 0", Riff(Chunk("fmt ", FormatRecord(1, 1, 8000, 0, 8)) + data),
       "Invalid wave format!"},
      {"no channels", Riff(Chunk("fmt ", FormatRecord(1, 0, 8000, 1, 8)) + data),
       "Invalid wave format!"},
      {"0 Hz", Riff(Chunk("fmt ", FormatRecord(1, 1, 0, 1, 8)) + data),
       "The sample rate of 0 Hz is too low."},
      {"999 Hz", Riff(Chunk("fmt ", FormatRecord(1, 1, 999, 1, 8)) + data),
       "The sample rate of 999 Hz is too low."},
      {"fmt size 0xFFFFFFFF hides the rest",
       Riff(ChunkDeclaring("fmt ", 0xFFFFFFFF, FormatRecord(1, 1, 8000, 1, 8)) + data),
       "Couldn't find 'data' chunk!"},
      {"no data chunk", Riff(fmt8 + Chunk("LIST", "INFOxxxx")), "Couldn't find 'data' chunk!"},
      {"data header cut short", Riff(fmt8 + "dat"), "Couldn't find 'data' chunk!"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseError(c.bytes), c.error) << c.what;
}

TEST(WaveStreamParse, FindsSoundAmongOtherChunks) {
  const std::string fmt8 = PcmFmtChunk(1, 14456, 8);
  const std::string list = Chunk("LIST", "INFOISFT\x03\0\0\0ab\0\0"s);
  // Chunks before fmt, between fmt and data, after data; odd sizes with pads.
  EXPECT_EQ(Sound(Riff(list + Chunk("junk", "abc") + fmt8 + list + Chunk("data", kFiveBytes) +
                       Chunk("junk", "\x7f\x7f\x7f"))),
            kFiveBytes);
  // Sound before the format.
  EXPECT_EQ(Sound(Riff(Chunk("data", kFiveBytes) + fmt8)), kFiveBytes);
  // An 18-byte PCM fmt whose extra-size word is not zero.
  EXPECT_EQ(Sound(Riff(Chunk("fmt ", FormatRecord(1, 1, 14456, 1, 8) + Le16(0x1234)) +
                       Chunk("data", kFiveBytes))),
            kFiveBytes);
  // RIFF sizes too large, and the placeholder of writers that stream.
  EXPECT_EQ(Sound(RiffDeclaring(5000, fmt8 + Chunk("data", kFiveBytes))), kFiveBytes);
  EXPECT_EQ(Sound(RiffDeclaring(0xFFFFFFFF, fmt8 + Chunk("data", kFiveBytes))), kFiveBytes);
  // A data chunk larger than the file holds what the file holds.
  EXPECT_EQ(Sound(RiffDeclaring(100, fmt8 + ChunkDeclaring("data", 1000000, kFiveBytes))),
            kFiveBytes);
}

TEST(WaveStreamParse, CountsWholeFramesAndKeepsCodecBytes) {
  test::TempDir folder;
  // 16-bit stereo: 4 bytes a frame, 11 bytes of data.
  test::WriteFile(folder / "a.wav", Riff(PcmFmtChunk(2, 8000, 16) + Chunk("data", "0123456789A")));
  TFileWaveStream stream(folder / "a.wav");
  EXPECT_EQ(stream.FrameCount(), 2);
  char buffer[16] = {};
  EXPECT_EQ(stream.Read(buffer, 5), 2);
  EXPECT_EQ(std::string(buffer, 8), "01234567");
  EXPECT_EQ(stream.Read(buffer, 5), 0);

  const std::string extra = "\xF9\x07";  // as IMA ADPCM keeps its samples per block
  test::WriteFile(folder / "b.wav",
                  Riff(Chunk("fmt ", FormatRecord(0x11, 1, 8000, 1024, 4) + Le16(2) + extra) +
                       Chunk("data", std::string(2048, '\0'))));
  TFileWaveStream coded(folder / "b.wav");
  EXPECT_EQ(coded.FormatPtr()->extraSize, 2);
  EXPECT_EQ(std::string(coded.FormatExtra().begin(), coded.FormatExtra().end()), extra);
  EXPECT_EQ(coded.FrameCount(), 2);
}

TEST(WaveStreamSeek, MovesByFramesAndRefusesNegativePositions) {
  test::TempDir folder;
  test::WriteFile(folder / "a.wav", Riff(PcmFmtChunk(1, 8000, 16) + Chunk("data", "aabbccdd")));
  TFileWaveStream stream(folder / "a.wav");
  EXPECT_EQ(stream.Seek(2, SeekOrigin::Begin), 2);
  EXPECT_EQ(stream.Seek(-1, SeekOrigin::Current), 1);
  EXPECT_EQ(stream.Seek(-1, SeekOrigin::End), 3);
  char frame[2];
  ASSERT_EQ(stream.Read(frame, 1), 1);
  EXPECT_EQ(std::string(frame, 2), "dd");
  for (std::int64_t frame : {std::int64_t{-1}, std::int64_t{-1} << 62, std::int64_t{1} << 62}) {
    EXPECT_EQ(test::ErrorText([&] { stream.Seek(frame, SeekOrigin::Begin); }),
              "Seeking to an invalid location in the file.")
        << frame;
  }
}

TEST(WaveStreamOpen, ReportsFilesThatCannotBeOpenedOrWritten) {
  test::TempDir folder;
  EXPECT_EQ(test::ErrorText([&] { TFileWaveStream stream(folder / "missing.wav"); }),
            "Can't open file stream.");
  EXPECT_EQ(
      test::ErrorText([&] { TFileWaveStream(folder / "no" / "new.wav", AnnouncerPcmFormat()); }),
      "Can't open file stream.");
  test::WriteFile(folder / "a.wav", Riff(PcmFmtChunk(1, 8000, 8) + Chunk("data", kFiveBytes)));
  TFileWaveStream reading(folder / "a.wav");
  EXPECT_EQ(test::ErrorText([&] { reading.Write("x", 1); }), "Error writing to file.");
  if (test::MakeFifo(folder / "pipe.wav")) {
    EXPECT_EQ(test::ErrorText([&] { TFileWaveStream stream(folder / "pipe.wav"); }),
              "Not a regular file.");
  }
}

// Expected bytes of a written 8-bit mono file.
std::string AnnouncerFile(const std::string& sound) {
  return Riff(Chunk("fmt ", FormatRecord(1, 1, 14456, 1, 8) + Le16(0)) + Chunk("data", sound));
}

TEST(WaveStreamWrite, WritesCompleteFiles) {
  test::TempDir folder;
  const auto path = folder / "out.wav";
  {
    TFileWaveStream stream(path, AnnouncerPcmFormat());
    EXPECT_EQ(stream.Write("abc", 3), 3);
    EXPECT_EQ(stream.Write("de", 2), 2);
    stream.Finish();
    EXPECT_THROW(stream.Write("f", 1), WaveError);  // finished files stay finished
  }
  EXPECT_EQ(test::ReadFile(path), AnnouncerFile("abcde"));  // with its pad byte
  const std::uint8_t abcde[] = {'a', 'b', 'c', 'd', 'e'};
  EXPECT_EQ(WaveFileBytes(AnnouncerPcmFormat(), abcde), AnnouncerFile("abcde"));

  // Finished by the destructor alone; no frames is still a valid file.
  { TFileWaveStream stream(path, AnnouncerPcmFormat()); }
  EXPECT_EQ(test::ReadFile(path), AnnouncerFile(""));
  EXPECT_EQ(TFileWaveStream(path).FrameCount(), 0);
}

TEST(WaveStreamWrite, ReadsBackWhatItWrote) {
  test::TempDir folder;
  const auto path = folder / "out.wav";
  const WaveFormat format = MakePcmFormat(2, 22050, 16);
  std::vector<std::int16_t> written(2 * 70000);  // more than one write buffer
  for (std::size_t i = 0; i < written.size(); ++i) written[i] = static_cast<std::int16_t>(i * 7919);
  {
    TFileWaveStream stream(path, format);
    stream.Write(written.data(), 1);
    stream.Write(written.data() + 2, 69999);
  }
  TFileWaveStream stream(path);
  EXPECT_EQ(*stream.FormatPtr(), format);
  TPCMWaveReader reader(stream);
  std::vector<std::int16_t> read(written.size());
  EXPECT_EQ(reader.Read(read.data(), 100000), 70000);
  EXPECT_EQ(read, written);
}

TEST(WaveLengthCacheTest, ReadsAFileAgainOnlyWhenItsSizeOrStampChanged) {
  test::TempDir folder;
  const auto file = folder / "a.wav";
  const auto now = std::filesystem::file_time_type::clock::now();
  const auto old = now - std::chrono::hours(1);
  const auto wave = [](std::size_t frames) {
    return test::Riff(test::PcmFmtChunk(1, 14456, 8) +
                      test::Chunk("data", std::string(frames, 'x')));
  };
  const std::string sound = wave(100), longer = wave(150), garbage(sound.size(), 'x');
  const struct {
    const std::string& bytes;
    std::filesystem::file_time_type stamp;
    std::optional<int32_t> frames;
  } cases[] = {
      {sound, old, 100},
      {garbage, old, 100},  // the same size and stamp: not read again
      {garbage, old + std::chrono::seconds(1), std::nullopt},
      {longer, old + std::chrono::seconds(1), 150},
      {sound, now, 100},
      {garbage, now, std::nullopt},  // a stamp this recent may not change with the file
  };
  WaveLengthCache cache;
  for (const auto& c : cases) {
    test::WriteFile(file, c.bytes);
    std::filesystem::last_write_time(file, c.stamp);
    EXPECT_EQ(cache.Measure(file.string()), c.frames) << &c - cases;
  }
}

}  // namespace
}  // namespace liftvox
