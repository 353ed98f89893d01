#include "audio/sound_edits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/convert.h"
#include "audio/recording_copy.h"
#include "config/file_io.h"
#include "support/sound_checks.h"
#include "support/test_support.h"
#include "support/wave_files.h"

namespace liftvox {
namespace {

// `level` alternating in sign over [from, to), `floor` elsewhere.
std::vector<float> Burst(std::size_t from, std::size_t to, float level, float floor = 0.0f) {
  std::vector<float> samples(1000, floor);
  for (std::size_t i = from; i < to; ++i) samples[i] = i % 2 ? level : -level;
  return samples;
}

// At 1000 samples a second the margin is 50 samples.
TEST(SoundEdits, TrimKeepsTheSoundWithItsMarginsAndLeavesSilenceWhole) {
  const struct {
    const char* name;
    std::vector<float> samples;
    std::size_t begin, end;
  } cases[] = {{"silence", std::vector<float>(1000, 0.0f), 0, 1000},
               {"hum at -41 dBFS", std::vector<float>(1000, 0.009f), 0, 1000},
               {"sound in the middle", Burst(300, 600, 0.5f), 250, 650},
               {"sound near the ends", Burst(20, 990, 0.5f), 0, 1000},
               {"quiet speech over hiss", Burst(300, 600, 0.06f, 0.005f), 250, 650},
               {"a breath 32 dB down", Burst(300, 600, 0.5f, 0.012f), 250, 650}};
  for (const auto& c : cases) {
    const SampleRange kept = TrimmedRange(c.samples, 1000);
    EXPECT_EQ(kept.begin, c.begin) << c.name;
    EXPECT_EQ(kept.end, c.end) << c.name;
  }
}

TEST(SoundEdits, NormaliseBringsAnyPeakToMinusOneDbfsButLeavesSilence) {
  for (const float peak : {0.05f, 0.5f, 1.0f}) {
    std::vector<float> samples = Burst(0, 1000, peak);
    Normalise(samples);
    EXPECT_NEAR(PeakDbfs(samples), -1.0, 1e-4) << peak;
  }
  std::vector<float> silence(10, 0.0f);
  Normalise(silence);
  EXPECT_EQ(silence, std::vector<float>(10, 0.0f));
  EXPECT_EQ(PeakDbfs(silence), -INFINITY);
}

// 16-bit at the announcer's rate, so the edits alone change the length: a
// burst at -24 dBFS over [2000, 4000) of 6000 samples, margins of 723.
TEST(SoundEdits, ConversionTrimsAndNormalisesWithoutClipping) {
  test::TempDir folder;
  std::vector<std::uint8_t> quiet;
  for (std::size_t i = 0; i < 6000; ++i) {
    const auto value =
        static_cast<std::int16_t>(i >= 2000 && i < 4000 ? (i % 2 ? 2063 : -2063) : 0);
    quiet.insert(quiet.end(),
                 {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
  }
  test::WritePcmWav(folder / "quiet.wav", quiet, 16);
  EXPECT_EQ(ConvertRecording(folder / "quiet.wav", folder / "out.wav", {}, {true, true}),
            4000 - 2000 + 2 * 723);
  const std::vector<std::uint8_t> out = test::Decode8(folder / "out.wav");
  EXPECT_NEAR(PeakDbfs(out), -1.0, 0.1);
  EXPECT_EQ(*std::min_element(out.begin(), out.end()), 128 - 114);
  EXPECT_EQ(*std::max_element(out.begin(), out.end()), 128 + 114);
}

TEST(RecordingCopy, TakesAFreeNameBesideTheOriginalOrInTheFallbackAndLeavesNothingOnFailure) {
  test::TempDir folder;
  const auto in = folder / "in";
  std::filesystem::create_directories(in);
  test::WritePcmWav(in / "talk.wav", test::Ramp(3000));
  std::filesystem::create_symlink(folder / "gone", in / "talk-normalised.wav");
  const SoundEdits normalise{.normalise = true};
  const RecordingCopy first = WriteRecordingCopy(in / "talk.wav", folder / "data", normalise);
  ASSERT_EQ(first.outcome, RecordingCopy::Outcome::Written) << first.problem;
  EXPECT_EQ(first.file, in / "talk-normalised-2.wav") << "a dangling link is no free name";
  EXPECT_EQ(first.frames, 3000);
  EXPECT_EQ(WriteRecordingCopy(in / "talk.wav", folder / "data", normalise).file,
            in / "talk-normalised-3.wav");
  EXPECT_FALSE(std::filesystem::exists(folder / "gone"));

  test::WriteFile(in / "text.wav", "not sound");
  const RecordingCopy unreadable = WriteRecordingCopy(in / "text.wav", folder / "data", {});
  EXPECT_EQ(unreadable.outcome, RecordingCopy::Outcome::Unreadable);
  EXPECT_EQ(unreadable.problem, "Unsupported audio file format.");
  EXPECT_FALSE(std::filesystem::exists(in / "text-14456.wav"));

  std::filesystem::permissions(
      in, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const bool readOnly = ClaimNewFile(in / "probe") == NewFileClaim::Refused;
  const RecordingCopy fallback = WriteRecordingCopy(in / "talk.wav", folder / "data", {});
  std::filesystem::permissions(in, std::filesystem::perms::owner_all);
  if (!readOnly) GTEST_SKIP() << "a read-only folder still takes files here (root)";
  EXPECT_EQ(fallback.file, folder / "data" / "talk-14456.wav");
}

}  // namespace
}  // namespace liftvox
