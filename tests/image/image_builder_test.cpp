#include "image/image_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "audio/announcer_sample_reader.h"
#include "audio/sample_reduction.h"
#include "config/configuration_file.h"
#include "image/adpcm.h"
#include "image/image_build_job.h"
#include "image/image_contents.h"
#include "image/memory_estimate.h"
#include "image/played_waveform.h"
#include "image/recording_encoder.h"
#include "model/document.h"
#include "model/model_fixture.h"
#include "support/test_support.h"
#include "support/wave_files.h"

namespace liftvox::test {
namespace {

using ::testing::ElementsAre;

class ImageBuilderTest : public ::testing::Test {
 protected:
  ImageBuilderTest() {
    document.SetPrompter(&prompter);
    document.IconNames = {"CZ.BMP"};
    document.ProgramDirectory = dir.path();
    document.DilEntries = {{"CZ", 0, 0x0808}, {"EN", 0, 0x0800}};
  }

  TSekvence* Sequence(int32_t code, int32_t pin = 0, int32_t bit = 0, bool floor = false) {
    return document.AddSequence(MakeSequence(code, floor, pin, bit));
  }

  TVzorek* Wav(TSekvence* sequence, const std::string& name, std::size_t samples, int dil = 0) {
    const auto path = dir / name;
    if (!std::filesystem::exists(path)) WritePcmWav(path, Ramp(samples));
    auto sample = std::make_unique<TVzorek>();
    sample->SetFileName(path.string());
    sample->Samples = static_cast<int32_t>(samples);
    sample->DIL = dil;
    return document.AppendSample(sequence, std::move(sample));
  }

  TVzorek* Silence(TSekvence* sequence, int32_t samples, int dil = 1) {
    auto sample = std::make_unique<TVzorek>();
    sample->Silence = true;
    sample->SetFileName("Ticho");
    sample->SetSamples(samples);
    sample->DIL = dil;
    return document.AppendSample(sequence, std::move(sample));
  }

  int32_t Build(int code = 0, bool storeConfiguration = false) {
    settings.memorySizeCode = code;
    settings.setupToFlash = storeConfiguration;
    return SestavPamet(document, settings);
  }

  uint8_t At(std::size_t offset) const { return document.Image[offset]; }
  uint32_t U16(std::size_t offset) const { return At(offset) | (At(offset + 1) << 8); }
  uint32_t U32(std::size_t offset) const { return U16(offset) | (U16(offset + 2) << 16); }
  std::vector<uint8_t> Bytes(std::size_t offset, std::size_t count) const {
    return {document.Image.begin() + static_cast<long>(offset),
            document.Image.begin() + static_cast<long>(offset + count)};
  }

  TempDir dir;
  ScriptedPrompter prompter;
  TPametRevazie document;
  ImageSettings settings;
};

TEST_F(ImageBuilderTest, OneCodeSequenceWithOneSampleIsLaidOutExactly) {
  TSekvence* sequence = Sequence(5);
  sequence->Priority = 3;
  Wav(sequence, "a.wav", 1000);
  ASSERT_EQ(Build(), 1024);
  // Data start page 1, end page 2 + ceil(1000 / 512); the entry (list at 16,
  // priority 3, code 5), padding to 16; the record: page 2, 1000 samples,
  // pattern 0x0808, type 2; the terminator.
  std::vector<uint8_t> head = {1,    0,    4,    0,    0x10, 0x00, 0x03, 0x05, 0xFF,
                               0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 2,    0,
                               0xE8, 3,    0,    0,    0x08, 0x08, 2};
  head.resize(32, 0);
  head.resize(48, 0xFF);
  EXPECT_EQ(Bytes(0, 48), head);
  EXPECT_EQ(document.UsedMemory, 1024);
  EXPECT_FALSE(document.IsImageStale());

  // The sample data is the coder's output for the file, from page 2.
  std::vector<uint8_t> expected(500);
  AdpcmState state;
  const auto ramp = Ramp(1000);
  adpcm_coder(ramp.data(), expected.data(), 1000, state);
  EXPECT_EQ(Bytes(512, 500), expected);
  EXPECT_EQ(At(1024), 0xFF);
}

// 16-bit sound is read in blocks of 512 samples; the coder's state and the
// output run on across them as if the file were one block.
TEST_F(ImageBuilderTest, LongRecordingsAreEncodedAsOneStream) {
  std::vector<uint8_t> wide;
  std::vector<uint8_t> reduced;
  for (int i = 0; i < 2501; ++i) {
    const auto sample = static_cast<int16_t>(9000 * std::sin(i / 9.0) + 40 * (i % 50));
    wide.insert(wide.end(), {static_cast<uint8_t>(sample), static_cast<uint8_t>(sample >> 8)});
    reduced.push_back(ReduceTo8Bit(sample));
  }
  WritePcmWav(dir / "wide.wav", wide, 16);
  Wav(Sequence(1), "wide.wav", 2501);
  ASSERT_EQ(Build(), 256 * (2 + 5));
  std::vector<uint8_t> expected(1251);
  AdpcmState state;
  adpcm_coder(reduced.data(), expected.data(), 2501, state);
  EXPECT_EQ(Bytes(512, 1251), expected);
  EXPECT_EQ(At(512 + 1251), 0xFF);
}

TEST_F(ImageBuilderTest, ParameterBlockCarriesRepeatsMasksAndCounts) {
  TSekvence* alarm = Sequence(0, 2);
  alarm->Repeat = 10;
  TSekvence* both = Sequence(0, 3, 9);
  both->Priority = 4;
  both->InvSerBit = true;
  both->Repeat = 7;
  TSekvence* bit = Sequence(0, 0, 12);
  bit->InvSerBit = true;
  Sequence(0, 0, 0, true);
  document.ParPlayInv = true;
  document.SerPlayInv = true;
  settings.interfaceCode = 3;
  ASSERT_GT(Build(), 0);

  // Offset 36 to the stored text; four entries of general sequences, E - 1 =
  // 4, interface 3; repeats by pin (pin 2: 10, pin 3: 7) and by bit (bit 9:
  // 7; 255 leaves bit 12's byte); masks: only ParPlayInv among the parallel
  // ones, inverted bits 9 and 12 and SerPlayInv among the serial; no text.
  const std::size_t b = 256 * U16(0);
  EXPECT_THAT(Bytes(b, 8), ElementsAre(0x24, 0, 4, 4, 3, 0xFF, 10, 7));
  EXPECT_THAT(Bytes(b + 12, 8), ElementsAre(0xBC, 0x02, 0, 0, 0x04, 0, 0x1A, 0));
  EXPECT_EQ(At(b + 12 + 9), 7);
  EXPECT_EQ(At(b + 12 + 12), 0xFF);
  EXPECT_EQ(U32(b + 36), 0u);

  // The pin and the bit entry of one sequence (entries 1 and 2).
  EXPECT_THAT((std::vector<uint8_t>{At(10), At(11), At(14), At(15)}),
              ElementsAre(0x14, 2, 0x24, 9));
}

TEST_F(ImageBuilderTest, EachInvertedPinSetsItsOwnMaskBit) {
  const struct {
    int pin;
    std::vector<uint8_t> masks;  // parameter block bytes 14..17
  } cases[] = {
      {1, {0, 0, 0x20, 0}}, {2, {0, 0, 0x40, 0}}, {3, {0x40, 0, 0, 0}}, {4, {0x20, 0, 0, 0}},
      {5, {0, 0x01, 0, 0}}, {6, {0, 0x02, 0, 0}}, {7, {0, 0, 0x80, 0}},
  };
  for (const auto& c : cases) {
    if (document.SequenceCount() > 0) document.DeleteSequence(document.SequenceAt(0));
    Sequence(0, c.pin)->InvParBit = true;
    ASSERT_GT(Build(), 0);
    EXPECT_EQ(Bytes(256 * U16(0) + 14, 4), c.masks) << "pin " << c.pin;
  }
}

TEST_F(ImageBuilderTest, SharedFilesAreStoredOnceAndSilenceHasNoPage) {
  TSekvence* both = Sequence(0, 3, 9);
  for (int i = 0; i < 10; ++i) {
    TSekvence* floor = Sequence(i, 0, 0, true);
    Wav(floor, "shared.wav", 600, 1);
  }
  Wav(both, "shared.wav", 600);
  Silence(both, 70000);  // longer than 16 bits can count
  ASSERT_GT(Build(), 0);
  const InspectedImage image =
      InspectImage(std::span<const uint8_t>(document.Image.data(), document.Image.size() - 1), 0);
  ASSERT_EQ(image.entries.size(), 12u);
  std::set<uint32_t> pages;
  for (const auto& entry : image.entries)
    for (const auto& record : image.RecordsOf(entry))
      if (record.type == 2) pages.insert(record.page);
  EXPECT_EQ(pages.size(), 1u);
  // Twelve entries: T = 64; the pin entry's silence record follows its recording.
  EXPECT_THAT(Bytes(64 + 16, 16),
              ElementsAre(0, 0, 0x70, 0x11, 0x01, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0))
      << "no page, the whole length, no pattern whatever its DIL";
  EXPECT_EQ(image.RecordsOf(image.entries[2])[0].pattern, 0x0800u);
}

TEST_F(ImageBuilderTest, FilesDifferingOnlyInCaseAreDifferentSounds) {
  TSekvence* sequence = Sequence(1);
  Wav(sequence, "Hello.wav", 300);
  WritePcmWav(dir / "hello.wav", std::vector<uint8_t>(300, 128));
  Wav(sequence, "hello.wav", 300);
  ASSERT_GT(Build(), 0);
  EXPECT_NE(U16(16), U16(32));
}

TEST_F(ImageBuilderTest, EntryCountsRoundTheDirectory) {
  for (int i = 0; i < 3; ++i) Sequence(i);
  ASSERT_GT(Build(), 0);
  EXPECT_EQ(U16(4), 16u) << "three entries: T = 16";
  Sequence(3);
  ASSERT_GT(Build(), 0);
  EXPECT_EQ(U16(4), 32u) << "four entries: T = 32";
  EXPECT_EQ(U16(32), 0xFFFFu) << "a sequence without samples has only the terminator";

  TPametRevazie empty;
  empty.SetPrompter(&prompter);
  ASSERT_EQ(SestavPamet(empty, settings), 512);
  EXPECT_EQ(empty.Image[0], 1);
  EXPECT_EQ(empty.Image[256 + 3], 0xFF) << "E - 1 with no entries";
}

// The text with its zero ends on the last byte of a page, or one byte into
// the next: where a page too many or too few would show.
TEST_F(ImageBuilderTest, StoredConfigurationTakesItsPagesAsEstimated) {
  TSekvence* sequence = Sequence(1);
  Wav(sequence, "a.wav", 100);
  for (const std::size_t pastPage : {0, 1}) {
    sequence->Name.clear();
    const std::size_t bare = RenderConfigurationText(document)->size();
    sequence->Name.assign((pastPage + 2 * 256 - 41 - bare % 256) % 256, 'x');
    const std::string text = *RenderConfigurationText(document);
    ASSERT_EQ((40 + text.size() + 1) % 256, pastPage);
    const int32_t used = Build(0, true);
    ASSERT_GT(used, 0);
    const std::size_t b = 256 * U16(0);
    EXPECT_EQ(U32(b + 36), text.size() + 1);
    EXPECT_EQ(Bytes(b + 40, text.size() + 1),
              std::vector<uint8_t>(text.c_str(), text.c_str() + text.size() + 1));
    const uint32_t pages = static_cast<uint32_t>((40 + text.size() + 1 + 255) / 256);
    EXPECT_EQ(U16(16), U16(0) + pages) << "the first sample follows the text";
    EXPECT_EQ(OdhadniPamet(document, settings), used) << pastPage;
  }
  EXPECT_EQ(OdhadniPamet(document, ImageSettings{.setupToFlash = false}), Build(0, false));
}

TEST_F(ImageBuilderTest, AReusedEstimatorFollowsEdits) {
  TSekvence* sequence = Sequence(1);
  TVzorek* first = Wav(sequence, "a.wav", 1000);
  Wav(sequence, "a.wav", 1000);
  WritePcmWav(dir / "b.wav", Ramp(1000));
  MemoryEstimator estimator;
  settings.memorySizeCode = 0;
  settings.setupToFlash = false;
  EXPECT_EQ(estimator.OdhadniPamet(document, settings), OdhadniPamet(document, settings));
  first->SetFileName((dir / "b.wav").string());  // now two distinct files
  EXPECT_EQ(estimator.OdhadniPamet(document, settings), OdhadniPamet(document, settings));
  EXPECT_EQ(estimator.OdhadniPamet(document, settings), 256 * (1 + 1 + 2 + 2));
  document.SequenceAt(0)->Name = "Přízemí";
  settings.setupToFlash = true;
  EXPECT_EQ(estimator.OdhadniPamet(document, settings), Build(0, true));
}

TEST_F(ImageBuilderTest, OverflowsAndUnreadableFilesFailWithoutChangingTheState) {
  ASSERT_GT(Build(), 0);
  const int32_t used = document.UsedMemory;
  const std::vector<uint8_t> image = document.Image;
  TSekvence* sequence = Sequence(1);
  // Page 0 lists, page 1 parameters: data may take 65536 - 512 bytes, less one.
  Wav(sequence, "exact.wav", 2 * (65536 - 512));
  document.MarkImageStale();
  EXPECT_EQ(Build(), 0) << "data ending exactly at the end is refused";
  EXPECT_EQ(prompter.shown.back().key, "MemoryFull");
  EXPECT_EQ(document.UsedMemory, used);
  EXPECT_EQ(document.Image, image);
  EXPECT_TRUE(document.IsImageStale());
  EXPECT_GT(Build(1), 0) << "fits 128 kB";

  // Files the build cannot take, each named in its message; only mono sound
  // can go into the image.
  WritePcmWav(dir / "stereo.wav", std::vector<uint8_t>(100, 128), 8, 2);
  WritePcmWav(dir / "rate0.wav", std::vector<uint8_t>(100, 128), 8, 1, 0);
  const std::pair<const char*, std::string> unreadable[] = {
      {"gone.wav", "UnableLoadFile"}, {"stereo.wav", ""}, {"rate0.wav", "WavSampleRate"}};
  for (const auto& [file, key] : unreadable) {
    document.DeleteSample(document.SequenceAt(0)->SampleList.back().get());
    Wav(sequence, file, 10);
    std::filesystem::remove(dir / "gone.wav");
    EXPECT_EQ(Build(1), -2) << file;
    if (key.empty()) continue;
    EXPECT_EQ(prompter.shown.back().key, key);
    EXPECT_NE(prompter.shown.back().text.find(file), std::string::npos);
  }
  EXPECT_NE(prompter.shown.back().text.find("udává vzorkovací kmitočet 0 Hz"), std::string::npos);
}

TEST_F(ImageBuilderTest, DirectoryMustEndBelow64Kilobytes) {
  // 256 sequences on pin and bit: 512 entries, each listing 8 silences.
  for (int i = 0; i < 256; ++i) {
    TSekvence* sequence = Sequence(0, 1 + i % 7, 8 + i % 16);
    for (int j = 0; j < 8; ++j) Silence(sequence, 10);
  }
  EXPECT_EQ(Build(7), 0);
  EXPECT_EQ(prompter.shown.back().key, "MemoryFull");
}

TEST_F(ImageBuilderTest, AJobsImageIsAdoptedOnlyWhileTheConfigurationIsUnchanged) {
  TSekvence* sequence = Sequence(1);
  Wav(sequence, "a.wav", 3000);
  settings.setupToFlash = true;
  ImageBuildInput input = PrepareImageBuild(document, settings);
  input.prompter = &prompter;
  ImageBuildOutput output = BuildImage(input);
  const int32_t used = Build(0, true);
  ASSERT_GT(used, 0);
  EXPECT_EQ(output.image, document.Image) << "as built in place, configuration text included";

  document.MarkImageStale();
  sequence->Name = "edited while the job ran";
  EXPECT_FALSE(AdoptBuiltImage(document, ImageBuildOutput(output), input.configuration));
  EXPECT_TRUE(document.IsImageStale());
  sequence->Name.clear();
  document.UsedMemory = 0;
  EXPECT_TRUE(AdoptBuiltImage(document, std::move(output), input.configuration));
  EXPECT_FALSE(document.IsImageStale());
  EXPECT_EQ(document.UsedMemory, used);
}

TEST_F(ImageBuilderTest, ProgressFollowsTheBlocksAndAStopChangesNothing) {
  Wav(Sequence(1), "a.wav", 5000)->Samples = 2500;  // a stale stored length
  ASSERT_GT(Build(1), 0);
  const std::vector<uint8_t> image = document.Image;
  document.MarkImageStale();
  std::vector<float> fractions;
  std::vector<std::string> texts;
  const auto watch = [&](int stopAt) {
    return [&, stopAt](const std::string& text, float fraction) {
      texts.push_back(text);
      fractions.push_back(fraction);
      return static_cast<int>(fractions.size()) != stopAt;
    };
  };
  EXPECT_EQ(SestavPamet(document, settings, watch(2)), kImageBuildStopped);
  EXPECT_EQ(fractions.size(), 2u);
  EXPECT_EQ(document.MemorySize, 131072) << "still the 128 kB image";
  EXPECT_EQ(document.Image, image);
  EXPECT_TRUE(document.IsImageStale());
  EXPECT_TRUE(prompter.shown.empty());

  fractions.clear();
  ASSERT_GT(SestavPamet(document, settings, watch(0)), 0);
  EXPECT_NE(texts[0].find("a.wav"), std::string::npos);
  ASSERT_EQ(fractions.size(), 5u + 1) << "five blocks, then the end";
  EXPECT_FLOAT_EQ(fractions[0], 1024.0f / 5000) << "the file's own length counts";
  EXPECT_FLOAT_EQ(fractions.back(), 1.0f);
}

// Each recording goes to its own pages from whichever thread encodes it; the
// layout is the standard encoder's, and a stop leaves the image as it was.
TEST_F(ImageBuilderTest, TheBestEncoderKeepsTheLayoutAndStops) {
  std::filesystem::copy_file(TestDataDir() / "image" / "speech_u8_14456.wav", dir / "speech.wav");
  TSekvence* sequence = Sequence(1);
  for (const auto& [name, length] : {std::pair{"speech.wav", 48091}, {"ramp.wav", 3001}})
    Wav(sequence, name, length);
  const int32_t used = Build(1);
  const std::vector<uint8_t> standard = document.Image;
  settings.encoder = EncoderKind::Best;
  EXPECT_EQ(SestavPamet(document, settings, [](const std::string&, float) { return false; }),
            kImageBuildStopped);
  EXPECT_EQ(document.Image, standard);
  ASSERT_EQ(Build(1), used);
  EXPECT_EQ(Bytes(0, 512), std::vector<uint8_t>(standard.begin(), standard.begin() + 512));
  for (const char* name : {"speech.wav", "ramp.wav"}) {
    const auto samples = AnnouncerSampleReader(dir / name).ReadRest();
    std::vector<uint8_t> expected((samples.size() + 1) / 2);
    EncodeRecording(samples, EncoderKind::Best, expected);
    const std::size_t record = name[0] == 's' ? 16 : 32;
    EXPECT_EQ(Bytes(U16(record) * 256, expected.size()), expected) << name;
    EXPECT_EQ(ReadPlayedWaveform(dir / name, EncoderKind::Best)->samples,
              DecodeStoredSample(document.Image, 256, U16(record), U32(record + 2)))
        << "the waveform is what the announcer plays";
  }
}

// The status bar's test reads the filled share and the colour from its pixels.
TEST(MemoryGaugeTest, LabelFollowsTheUsage) {
  EXPECT_EQ(MemoryGauge(30000, 65536, 100).label, "46 %");
  EXPECT_EQ(MemoryGauge(70000, 65536, 100).label, "107 %");
  EXPECT_FALSE(MemoryGauge(10, 0, 100).drawn);
}

}  // namespace
}  // namespace liftvox::test
