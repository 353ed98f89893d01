#include "config/configuration_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "config/ini_file.h"
#include "config/text_encoding.h"
#include "image/wav_fixture.h"
#include "model/document.h"
#include "model/editing.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

using ::testing::ElementsAre;

class ConfigurationFileTest : public ::testing::Test {
 protected:
  ConfigurationFileTest() {
    for (TPametRevazie* document : {&written, &read}) {
      document->SetPrompter(&prompter);
      document->IconNames = {"CZ.BMP", "EN.BMP"};
      document->ProgramDirectory = program.path();
    }
  }

  bool ReadText(const std::string& text) { return ReadConfiguration(read, TTextIniFile(text)); }

  TempDir program;
  ScriptedPrompter prompter;
  TPametRevazie written, read;
};

TEST_F(ConfigurationFileTest, DefaultConfigurationRoundTrips) {
  NewConfiguration(written);
  written.DilEntries = {{"Čeština", 1, 0xFF00}, {"English", 0, 0x0808}};
  written.ParPlayInv = true;
  auto wav = std::make_unique<TVzorek>();
  wav->SetFileName((program.path() / "Zvuky" / "a.wav").string());
  wav->Samples = 1234;
  wav->DIL = 1;
  written.AppendSample(0, std::move(wav));
  AddSilence(written, 500);
  written.SequenceAt(0)->WizardKey = "SekvUp";

  TTextIniFile ini;
  ASSERT_TRUE(WriteConfiguration(written, ini));
  const std::string text = ini.Text();
  EXPECT_NE(text.find("[/DIL]\r\nČeština=65280,EN.BMP\r\nEnglish=2056,CZ.BMP\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("File0=Zvuky\\a.wav\r\nDIL0=1\r\nSamples0=1234\r\nSilence0=0\r\n"),
            std::string::npos);

  ASSERT_TRUE(ReadText(text));
  const auto fields = [](const TPametRevazie& document) {
    std::vector<std::tuple<std::string, int32_t, int32_t, int32_t, bool, int, int32_t>> all;
    for (const auto& s : document.SequenceList)
      all.emplace_back(s->Name, s->Code, s->Pin, s->Repeat, s->Floor, s->SampleCount(), s->Top);
    return all;
  };
  EXPECT_EQ(fields(read), fields(written));
  EXPECT_TRUE(read.ParPlayInv);
  EXPECT_EQ(read.SequenceAt(0)->SampleAt(0)->FileName,
            written.SequenceAt(0)->SampleAt(0)->FileName);
  EXPECT_EQ(read.SequenceAt(0)->SampleAt(0)->DIL, 1);
  EXPECT_TRUE(read.SequenceAt(0)->SampleAt(1)->Silence);
  EXPECT_EQ(read.SequenceAt(0)->SampleAt(1)->Samples, 7228);
  EXPECT_EQ(read.SequenceAt(0)->WizardKey, "") << "wizard keys are not saved";
  ASSERT_EQ(read.DilEntries.size(), 2u);
  EXPECT_EQ(read.DilEntries[0].Name, "Čeština");
  EXPECT_EQ(read.DilEntries[0].Icon, 1);
  EXPECT_EQ(read.DilEntries[1].Pattern, 0x0808);
}

TEST_F(ConfigurationFileTest, WriterRefusesUnknownIconsAndEmptyListsHaveNoSection) {
  NewConfiguration(written);
  written.DilEntries = {{"X", -1, 0}};
  TTextIniFile refused;
  EXPECT_FALSE(WriteConfiguration(written, refused));
  written.IconNames.clear();
  written.DilEntries = {{"X", 0, 0}};
  EXPECT_FALSE(WriteConfiguration(written, refused)) << "no icons loaded";

  written.DilEntries.clear();
  TTextIniFile ini;
  ASSERT_TRUE(WriteConfiguration(written, ini));
  EXPECT_EQ(ini.Text().find("[/DIL]"), std::string::npos);
  ASSERT_TRUE(ReadText(ini.Text()));
  EXPECT_EQ(read.SequenceCount(), 8) << "the first sequence section is still a sequence";
  EXPECT_TRUE(read.DilEntries.empty());
}

TEST_F(ConfigurationFileTest, VersionsUpToTwoAreAccepted) {
  EXPECT_TRUE(ReadText("[/GENERAL]\n[0]\nName=a\n"));
  EXPECT_TRUE(ReadText("[/GENERAL]\nVersion=2.00\n[0]\n"));
  EXPECT_TRUE(ReadText("[/GENERAL]\nVersion=1.5beta\n[0]\n"));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_FALSE(ReadText("[/GENERAL]\nVersion=2.01\n[0]\nName=a\n"));
  EXPECT_EQ(read.SequenceCount(), 0);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text,
            "Konfigurace je chybná nebo byla vytvořena novější verzí programu!");
}

TEST_F(ConfigurationFileTest, MalformedValuesTakeTheirDefaults) {
  ASSERT_TRUE(
      ReadText("[/DIL]\nA=255\nB=?\nC= 2056 , en.bmp \nD=x,CZ.BMP\n"
               "[5]\nCode=99999999999\nPriority=0x1F3\nRepeat=$10A\nName=Jméno = s rovnítkem\n"
               "File0=a.wav\nFile1=b.wav\nFile2=Ticho\nSilence2=1\nSamples2=oops\nFile4=e.wav\n"));
  ASSERT_EQ(read.DilEntries.size(), 4u);
  EXPECT_EQ(read.DilEntries[0].Pattern, 0);
  EXPECT_EQ(read.DilEntries[0].Icon, 0) << "icon name 255 is unknown";
  EXPECT_EQ(read.DilEntries[2].Pattern, 2056);
  EXPECT_EQ(read.DilEntries[2].Icon, 1);
  EXPECT_EQ(read.DilEntries[3].Pattern, 0);
  const TSekvence& sequence = *read.SequenceAt(0);
  EXPECT_EQ(sequence.Code, 0) << "beyond 32 bits is not a number";
  EXPECT_EQ(sequence.Priority, 0xF3);
  EXPECT_EQ(sequence.Repeat, 0x0A);
  EXPECT_EQ(sequence.Name, "Jméno = s rovnítkem");
  ASSERT_EQ(sequence.SampleCount(), 3) << "File3 is missing, so File4 is never reached";
  EXPECT_EQ(sequence.SampleAt(2)->Samples, 1);
  EXPECT_EQ(sequence.SampleAt(2)->FileName, "Ticho");
}

TEST_F(ConfigurationFileTest, OnlyTheFirst256SequenceSectionsAreRead) {
  std::string text = "[/GENERAL]\nVersion=2.00\n";
  for (int i = 0; i < 300; ++i)
    text += "[" + std::to_string(i) + "]\nCode=" + std::to_string(i) + "\n";
  ASSERT_TRUE(ReadText(text));
  EXPECT_EQ(read.SequenceCount(), 256);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConfigurationFileTest, LegacyLayoutNumbersGeneralSequencesAndFloors) {
  std::string nine = "[/REVAZI]\nVerze=v1.01\n[/DIL]\nCZ=2056,CZ.BMP\n";
  for (int i = 0; i < 9; ++i)
    nine += "[S" + std::to_string(i) + "]\nJmeno=n" + std::to_string(i) + "\nPriorita=20\n";
  nine += "Soubor0=x.wav\nTicho0=0\nVzorku0=77\nSoubor1=Ticho\nTicho1=1\n";
  ASSERT_TRUE(ReadText(nine));
  ASSERT_EQ(read.SequenceCount(), 9);
  std::vector<int32_t> pins, codes;
  for (const auto& sequence : read.SequenceList) {
    pins.push_back(sequence->Pin);
    codes.push_back(sequence->Code);
  }
  EXPECT_THAT(pins, ElementsAre(3, 4, 5, 6, 1, 2, 7, 0, 0));
  EXPECT_THAT(codes, ElementsAre(128, 128, 128, 128, 128, 128, 128, 0, 1));
  EXPECT_TRUE(read.SequenceAt(8)->Floor);
  EXPECT_EQ(read.SequenceAt(8)->Priority, 15);
  EXPECT_EQ(read.SequenceAt(8)->SampleCount(), 2);
  EXPECT_EQ(read.SequenceAt(8)->SampleAt(0)->Samples, 77);

  std::string five = "[/REVAZI]\nVerze=v1.01\n";
  for (int i = 0; i < 5; ++i) five += "[" + std::to_string(i) + "]\nJmeno=g\n";
  ASSERT_TRUE(ReadText(five));
  ASSERT_EQ(read.SequenceCount(), 5);
  EXPECT_EQ(read.SequenceAt(4)->Pin, 1);
  EXPECT_FALSE(read.SequenceAt(4)->Floor);
}

TEST_F(ConfigurationFileTest, CancelledQuestionKeepsTheDocument) {
  NewConfiguration(read);
  read.SetModified(true);
  prompter.answers = {Answer::Cancel};
  EXPECT_FALSE(ReadText("[0]\nName=x\n"));
  EXPECT_EQ(read.SequenceCount(), 8);
}

TEST_F(ConfigurationFileTest, SamplePathsResolveAgainstTheOpenFileFirst) {
  TempDir project;
  WriteFile(project / "Zvuky" / "here.wav", "RIFF");
  read.SetCurrentFileName((project / "old.cfg").string());
  const std::string absolute = (program / "elsewhere.wav").string();
  ASSERT_TRUE(
      ReadText("[0]\nFile0=Zvuky\\here.wav\nFile1=Zvuky/gone.wav\nFile2=" + absolute + "\n"));
  const TSekvence& sequence = *read.SequenceAt(0);
  EXPECT_EQ(sequence.SampleAt(0)->FileName, (project / "Zvuky" / "here.wav").string());
  EXPECT_EQ(sequence.SampleAt(1)->FileName, (program / "Zvuky" / "gone.wav").string());
  EXPECT_EQ(sequence.SampleAt(2)->FileName, absolute) << "an absolute path stands as it is";
}

TEST_F(ConfigurationFileTest, ReadableRecordingsAreMeasuredAgain) {
  // The measure sees the resolved path; it knows one file and cannot read the other.
  std::vector<std::string> measured;
  read.SetSampleLengthMeasure([&](const std::string& file) -> std::optional<int32_t> {
    measured.push_back(file);
    if (file == (program / "real.wav").string()) return 300;
    return std::nullopt;
  });
  ASSERT_TRUE(
      ReadText("[0]\nFile0=real.wav\nSamples0=5\nFile1=broken.wav\nSamples1=7\n"
               "File2=Ticho\nSilence2=1\nSamples2=9\n"));
  const TSekvence& sequence = *read.SequenceAt(0);
  EXPECT_EQ(sequence.SampleAt(0)->Samples, 300) << "the file's own length wins";
  EXPECT_EQ(sequence.SampleAt(1)->Samples, 7) << "an unreadable file keeps the stored length";
  EXPECT_EQ(sequence.SampleAt(2)->Samples, 9);
  EXPECT_EQ(measured.size(), 2u) << "silences are not measured";
}

TEST_F(ConfigurationFileTest, BufferedConfigurationIsBoundsChecked) {
  NewConfiguration(written);
  const std::string text = *RenderConfigurationText(written);
  std::vector<uint8_t> buffer(4 + text.size() + 1 + 16, 0xFF);
  const uint32_t length = static_cast<uint32_t>(text.size() + 1);
  for (int i = 0; i < 4; ++i)
    buffer[static_cast<std::size_t>(i)] = static_cast<uint8_t>(length >> (8 * i));
  std::copy(text.begin(), text.end(), buffer.begin() + 4);
  buffer[4 + text.size()] = 0;

  read.SetCurrentFileName("/somewhere/open.cfg");
  ASSERT_TRUE(LoadConfigurationFromBuffer(read, buffer.data(), buffer.size()));
  EXPECT_EQ(read.SequenceCount(), 8);
  EXPECT_EQ(read.CurrentFileName(), "");
  EXPECT_FALSE(read.IsModified());

  // Lengths that reach past the buffer, or none at all, are refused untouched.
  for (uint32_t bad : {0u, static_cast<uint32_t>(buffer.size()), 0xFFFFFFFFu, 0x80000000u}) {
    auto copy = buffer;
    for (int i = 0; i < 4; ++i)
      copy[static_cast<std::size_t>(i)] = static_cast<uint8_t>(bad >> (8 * i));
    EXPECT_FALSE(LoadConfigurationFromBuffer(read, copy.data(), copy.size())) << bad;
  }
  EXPECT_FALSE(LoadConfigurationFromBuffer(read, buffer.data(), 3));
  EXPECT_EQ(read.SequenceCount(), 8);
}

TEST_F(ConfigurationFileTest, SaveReplacesWholeFilesAndFailuresKeepTheOldOne) {
  NewConfiguration(written);
  const auto path = program / "conf.cfg";
  WriteFile(path, "[old]\r\nstale=1\r\n");
  ASSERT_TRUE(SaveConfiguration(written, path));
  const std::string saved = ReadFile(path);
  EXPECT_EQ(saved.find("stale"), std::string::npos);
  EXPECT_EQ(written.CurrentFileName(), path.string());
  EXPECT_EQ(saved.find("Přízemí"), std::string::npos) << "Windows-1250 on disk, not UTF-8";
  EXPECT_NE(DecodeText(saved).find("Přízemí"), std::string::npos);

  written.SetModified(true);
  written.DilEntries = {{"X", -1, 0}};
  EXPECT_FALSE(SaveConfiguration(written, program / "other.cfg"));
  EXPECT_EQ(prompter.shown.back().key, "UnableWriteFile");
  EXPECT_TRUE(written.IsModified());
  EXPECT_EQ(written.CurrentFileName(), path.string());

  written.DilEntries = {{"X", 0, 0}};
  EXPECT_FALSE(SaveConfiguration(written, program / "no-such-folder" / "x.cfg"));
  EXPECT_EQ(ReadFile(path), saved);
}

TEST_F(ConfigurationFileTest, OpenReportsMissingAndRefusedFilesWithoutTakingTheirName) {
  EXPECT_FALSE(OpenConfiguration(read, program / "missing.cfg"));
  EXPECT_EQ(prompter.shown.back().key, "UnableLoadFile");

  const auto newer = program / "newer.cfg";
  WriteFile(newer, "[/GENERAL]\r\nVersion=3.0\r\n");
  read.SetCurrentFileName("previous.cfg");
  EXPECT_FALSE(OpenConfiguration(read, newer));
  EXPECT_EQ(read.CurrentFileName(), "") << "a later save must not overwrite the refused file";

  const auto good = program / "good.cfg";
  NewConfiguration(written);
  ASSERT_TRUE(SaveConfiguration(written, good));
  read.SetModified(true);
  EXPECT_TRUE(OpenConfiguration(read, good));
  EXPECT_EQ(read.CurrentFileName(), good.string());
  EXPECT_FALSE(read.IsModified());
}

TEST_F(ConfigurationFileTest, JunkNeverCrashesTheReader) {
  std::string junk;
  for (int i = 0; i < 20000; ++i) junk += static_cast<char>((i * 7919) % 256);
  EXPECT_TRUE(ReadText(junk + "\n[0]\nFile0=" + std::string(1 << 20, 'x') + "\nSamples0=-5\n"));
  std::string withBomAndNul = "\xEF\xBB\xBF[0]\nName=a";
  withBomAndNul += '\0';
  withBomAndNul += "b\n";
  EXPECT_TRUE(ReadText(withBomAndNul));
}

}  // namespace
}  // namespace liftvox::test
