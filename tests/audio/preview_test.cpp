#include "audio/preview.h"

#include <gtest/gtest.h>

#include "audio/pcm_wave_reader.h"
#include "audio/wave_error.h"
#include "audio/wave_stream.h"
#include "image/wav_fixture.h"
#include "model/document.h"

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
      RenderAllSequencesPreview(out, document, 0, switches);
    else
      RenderSequencePreview(out, document, 0, switches);
    TFileWaveStream stream(out);
    TPCMWaveReader reader(stream);
    EXPECT_EQ(reader.PcmFormat().samplesPerSec, 14456u);
    std::vector<uint8_t> samples(static_cast<std::size_t>(reader.TotalFrames()));
    if (!samples.empty()) reader.Read(samples.data(), static_cast<int32_t>(samples.size()));
    return samples;
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
}

TEST_F(PreviewTest, OnlySilencesGiveAnEmptyFileAndDilSwitchesFilter) {
  AddSilence(2500);
  EXPECT_TRUE(Render().empty());
  Add("a.wav", 0);  // needs switch 4 ON
  Add("b.wav", 1);  // needs switch 4 OFF
  EXPECT_EQ(Render(0x78).size(), 100u) << "the leading silence is dropped";
  EXPECT_EQ(Render(0x70).size(), 50u);
  AddSilence(2500);
  Add("a.wav", 0);
  EXPECT_EQ(Render(0x78).size(), 100u + 2500 + 100) << "two whole blocks and 452 samples";
  EXPECT_EQ(SimulatedSwitches(true, true, true, true), 0x78);
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

TEST_F(PreviewTest, UnreadableSamplesEndThePreviewAndLeaveNoFile) {
  Add("missing.wav");
  EXPECT_THROW(Render(), WaveError);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.wav"));
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
