#include "audio/preview.h"

#include <gtest/gtest.h>

#include "audio/wave_error.h"
#include "model/document.h"
#include "support/sound_checks.h"
#include "support/test_support.h"
#include "support/wave_files.h"

namespace liftvox::test {
namespace {

class PreviewTest : public ::testing::Test {
 protected:
  PreviewTest() {
    document.DilEntries = {{"CZ", 0, 0x0808}, {"EN", 0, 0x0800}};
    WritePcmWav(dir / "a.wav", std::vector<uint8_t>(100, 10));
    WritePcmWav(dir / "b.wav", std::vector<uint8_t>(50, 20));
    std::vector<uint8_t> wide;  // 16-bit samples 0x1234 and -2
    for (int i = 0; i < 30; ++i) wide.insert(wide.end(), {0x34, 0x12, 0xFE, 0xFF});
    WritePcmWav(dir / "wide.wav", wide, 16);
    sequence = document.AddSequence(std::make_unique<TSekvence>());
  }

  void Add(const std::string& file, int dil = 0) {
    auto sample = std::make_unique<TVzorek>();
    sample->SetFileName((dir / file).string());
    sample->DIL = dil;
    document.AppendSample(sequence, std::move(sample));
  }
  void AddSilence(int32_t samples) {
    auto sample = std::make_unique<TVzorek>();
    sample->Silence = true;
    sample->SetSamples(samples);
    document.AppendSample(sequence, std::move(sample));
  }

  std::vector<uint8_t> Render(uint8_t switches = 0x78, bool all = false) {
    const auto out = dir / "out.wav";
    if (all)
      EXPECT_TRUE(RenderAllSequencesPreview(out, document, 0, switches));
    else
      EXPECT_TRUE(RenderSequencePreview(out, document, 0, switches));
    return Decode8(out);
  }

  TempDir dir;
  TPametRevazie document;
  TSekvence* sequence = nullptr;
};

TEST_F(PreviewTest, SilencesAtTheEdgesAndInRowsCollapse) {
  AddSilence(7);
  Add("a.wav");
  AddSilence(3);
  AddSilence(5);
  Add("b.wav");
  AddSilence(9);
  const auto samples = Render();
  ASSERT_EQ(samples.size(), 100u + 5 + 50);
  EXPECT_EQ(samples[99], 10);
  EXPECT_EQ(samples[100], 128);
  EXPECT_EQ(samples[104], 128);
  EXPECT_EQ(samples[105], 20);

  document.DeleteSample(document.SequenceAt(0)->SampleAt(1));
  document.DeleteSample(document.SequenceAt(0)->SampleAt(3));
  EXPECT_TRUE(Render().empty()) << "only silences: a file with no sound";
  Add("a.wav");
  AddSilence(2500);
  Add("a.wav");
  EXPECT_EQ(Render().size(), 100u + 2500 + 100) << "two whole blocks and 452 samples";
}

// A filter takes each recording whole, never a silence, and what it returns
// is written in full, however long.
TEST_F(PreviewTest, AFilterShapesEveryRecordingButNoSilence) {
  Add("a.wav");
  AddSilence(5);
  Add("wide.wav");
  const RecordingFilter stretch = [](std::span<const uint8_t> samples, const auto&) {
    return std::optional(std::vector<uint8_t>(samples.size() * 25, samples.front()));
  };
  ASSERT_TRUE(RenderSequencePreview(dir / "out.wav", document, 0, 0x78, {}, stretch));
  std::vector<uint8_t> expected(2500, 10);
  expected.insert(expected.end(), 5, 128);
  expected.insert(expected.end(), 60 * 25, 0x92);
  EXPECT_EQ(Decode8(dir / "out.wav"), expected);
}

// A sample whose language needs one switch ON, and one that needs it OFF.
TEST_F(PreviewTest, EachSimulatedSwitchDecidesOnItsOwn) {
  Add("a.wav", 0);
  Add("b.wav", 1);
  for (int n = 4; n <= 7; ++n) {
    const auto bit = static_cast<uint16_t>(1 << (n - 1));
    document.DilEntries = {{"ON", 0, static_cast<uint16_t>(bit << 8 | bit)},
                           {"OFF", 0, static_cast<uint16_t>(bit << 8)}};
    EXPECT_EQ(Render(SimulatedSwitches(n == 4, n == 5, n == 6, n == 7)).size(), 100u) << n;
    EXPECT_EQ(Render(SimulatedSwitches(n != 4, n != 5, n != 6, n != 7)).size(), 50u) << n;
  }
  // Every switch that matters must agree, not just one of them.
  document.DilEntries = {{"4 ON, 5 OFF", 0, 0x1808}, {"any", 0, 0}};
  EXPECT_EQ(Render(SimulatedSwitches(true, false, true, true)).size(), 150u);
  EXPECT_EQ(Render(SimulatedSwitches(true, true, true, true)).size(), 50u);
}

TEST_F(PreviewTest, SixteenBitSoundIsReducedAndAllSequencesGetGaps) {
  Add("wide.wav");
  const auto samples = Render();
  ASSERT_EQ(samples.size(), 60u);
  EXPECT_EQ(samples[0], 0x12 + 128);
  EXPECT_EQ(samples[1], 127);

  document.AddSequence(std::make_unique<TSekvence>());  // empty: no gap
  TSekvence* last = document.AddSequence(std::make_unique<TSekvence>());
  sequence = last;
  Add("b.wav");
  EXPECT_EQ(Render(0x78, true).size(), 60u + 15360 + 50 + 15360);
}

TEST_F(PreviewTest, UnreadableSamplesTooLongPreviewsAndStopsLeaveNoFile) {
  WriteFile(dir / "out.wav", "the last preview");
  Add("a.wav");
  std::string reported;
  const auto stop = [&](const std::string& text, float) {
    reported = text;
    return false;
  };
  EXPECT_FALSE(RenderSequencePreview(dir / "out.wav", document, 0, 0x78, stop));
  EXPECT_NE(reported.find("a.wav"), std::string::npos);
  EXPECT_FALSE(RenderAllSequencesPreview(dir / "out.wav", document, 0, 0x78, stop));
  Add("missing.wav");
  EXPECT_THROW(RenderSequencePreview(dir / "out.wav", document, 0, 0x78), WaveError);
  // Longer than an hour: refused as it comes, not after gigabytes.
  sequence = document.AddSequence(std::make_unique<TSekvence>());
  Add("a.wav");
  AddSilence(INT32_MAX);
  Add("a.wav");
  EXPECT_THROW(RenderSequencePreview(dir / "out.wav", document, 1, 0x78), WaveError);
  EXPECT_EQ(ReadFile(dir / "out.wav"), "the last preview");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.wav.part"));
}

TEST(SilenceDialogTest, ConversionsTruncate) {
  EXPECT_EQ(SilenceDialogSamples(500), 7228);
  EXPECT_EQ(SilenceDialogMilliseconds(7228), 500);
  EXPECT_EQ(SilenceDialogSamples(1), 14);
  EXPECT_EQ(SilenceDialogMilliseconds(14), 0);
}

}  // namespace
}  // namespace liftvox::test
