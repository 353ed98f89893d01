#include "config/configuration_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/configuration_text_size.h"
#include "config/ini_file.h"
#include "config/text_encoding.h"
#include "model/document.h"
#include "model/editing.h"
#include "model/model_fixture.h"
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

TEST_F(ConfigurationFileTest, WhatIsWrittenReadsBackToTheSameText) {
  NewConfiguration(written);
  written.DilEntries = {{"Čeština", 1, 0xFF00}, {"English", 0, 0x0808}};
  written.ParPlayInv = true;
  TSekvence& up = *written.SequenceAt(0);
  up.Priority = 5;
  up.Bit = 12;
  up.InvSerBit = true;
  up.InvParBit = true;
  up.WizardKey = "SekvUp";
  written.AppendSample(0, MakeWav((program.path() / "Zvuky" / "a.wav").string(), 1, 1234));
  AddSilence(written, 500);
  written.AppendSample(7, MakeWav("/srv/jinde/ř.wav", 300, 5));

  const std::string text = *RenderConfigurationText(written);
  // The memory estimate sizes the text without writing it: the two must agree.
  ConfigurationTextSize size;
  EXPECT_EQ(size.Of(written), text.size());
  const std::string decoded = DecodeText(text);
  EXPECT_NE(decoded.find("[/DIL]\r\nČeština=65280,EN.BMP\r\nEnglish=2056,CZ.BMP\r\n"),
            std::string::npos);
  EXPECT_NE(decoded.find("File0=Zvuky\\a.wav\r\nDIL0=1\r\nSamples0=1234\r\nSilence0=0\r\n"
                         "File1=Ticho\r\nDIL1=0\r\nSamples1=7228\r\nSilence1=1\r\n"),
            std::string::npos);

  read.SetModified(true);  // "No" to the question: loading goes on
  RecordingView view;
  read.SetView(&view);
  ASSERT_TRUE(ReadText(decoded));
  EXPECT_EQ(*RenderConfigurationText(read), text);
  EXPECT_EQ(view.heard, (std::vector<std::string>{"content all", "selection", "modified 0"}))
      << "one report for the whole load, which ends unmodified";
  EXPECT_EQ(read.SequenceAt(0)->SampleAt(1)->Left, 112 + 103);
  EXPECT_EQ(read.SequenceAt(0)->WizardKey, "") << "wizard keys are not saved";

  written.ProgramDirectory = "/srv";
  EXPECT_EQ(size.Of(written), RenderConfigurationText(written)->size()) << "another base folder";
}

// A name from a paste or an old file must not break the line it is stored in.
TEST_F(ConfigurationFileTest, NamesThatALineCannotCarryAreMendedAndReadBack) {
  NewConfiguration(written);
  // As a dialog sets it; the Japanese has no Windows-1250 byte, so the file goes UTF-8.
  written.AddSequence(MakeSequence(9))->Name = "Hlášení\r\nna dva řádky\t日本";
  written.DilEntries = {{"Czech", 0, 1},
                        {" [EN]= ", 1, 2},
                        {";DE", 0, 3},
                        {"CZECH", 1, 4},
                        {"\xC2\x85\n", 0, 5}};  // NEL, a C1 control, and a line break
  written.AppendSample(8, MakeWav("/", 3));     // "/" alone as a value ends a sample list
  written.AppendSample(8, MakeWav("/x.wav", 3));

  const std::string text = *RenderConfigurationText(written);
  EXPECT_EQ(ConfigurationTextSize().Of(written), text.size());
  ASSERT_TRUE(ReadText(DecodeText(text)));
  EXPECT_EQ(read.SequenceAt(8)->Name, "Hlášení na dva řádky 日本");
  std::vector<std::pair<std::string, uint16_t>> entries;
  for (const DilEntry& entry : read.DilEntries) entries.emplace_back(entry.Name, entry.Pattern);
  EXPECT_THAT(entries, ElementsAre(std::pair<std::string, uint16_t>{"Czech", 1},
                                   std::pair<std::string, uint16_t>{"EN]-", 2},
                                   std::pair<std::string, uint16_t>{"DE", 3},
                                   std::pair<std::string, uint16_t>{"CZECH (2)", 4},
                                   std::pair<std::string, uint16_t>{"", 5}))
      << "every entry in its place, so samples keep their language";
  ASSERT_EQ(read.SequenceAt(8)->SampleCount(), 2);
  EXPECT_EQ(read.SequenceAt(8)->SampleAt(1)->DIL, 3);

  // A file holding such names mends them as it loads.
  // U+202E and U+2069 turn text back to front; U+202F and U+206A do not.
  ASSERT_TRUE(ReadText(std::string("[/DIL]\n[x=1,CZ.BMP\n[0]\nName=a\x01\x02") + '\0' +
                       "b\xC2\xA0\xE2\x80\xAE"
                       "c\xE2\x81\xA9\xE2\x81\xAA\xE2\x80\xAF\n"));
  ASSERT_EQ(read.DilEntries.size(), 1u);
  EXPECT_EQ(read.DilEntries[0].Name, "x");
  EXPECT_EQ(read.SequenceAt(0)->Name, "a b\xC2\xA0 c \xE2\x81\xAA\xE2\x80\xAF")
      << "a no-break space is no control";
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

TEST_F(ConfigurationFileTest, WhatExceedsTheLimitsIsLeftOutOrClampedAndToldOncePerKind) {
  std::string text = "[/GENERAL]\nVersion=2.00\n";
  for (int i = 0; i < 300; ++i)
    text += "[" + std::to_string(i) + "]\nCode=" + std::to_string(i) + "\n";
  ASSERT_TRUE(ReadText(text));
  EXPECT_EQ(read.SequenceCount(), 256);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text,
            "Konfigurace může obsahovat nejvýše 256 sekvencí; 44 dalších nebylo načteno.");

  prompter.shown.clear();
  text = "[0]\nName=dlouhá\n";
  for (int j = 0; j < kMaxSamplesPerSequence + 5; ++j)
    text += "File" + std::to_string(j) + "=a.wav\n";
  ASSERT_TRUE(ReadText(text + "[1]\nFile0=Ticho\nSilence0=1\nSamples0=-1\nFile1=b.wav\n"
                              "Samples1=-7\nFile2=Ticho\nSilence2=1\nSamples2=2147483647\n"));
  EXPECT_EQ(read.SequenceAt(0)->SampleCount(), kMaxSamplesPerSequence);
  std::vector<int32_t> lengths;
  for (const auto& sample : read.SequenceAt(1)->SampleList) lengths.push_back(sample->Samples);
  EXPECT_THAT(lengths, ElementsAre(1, 0, 1445586)) << "99999 ms at most; a length below 0 is 0";
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].text,
            "Sekvence může obsahovat nejvýše 4094 hlášek; zbytek nebyl "
            "načten u sekvencí \"dlouhá\".");
  EXPECT_EQ(prompter.shown[1].key, "SilenceClamped");
  EXPECT_NE(prompter.shown[1].text.find("1 až 1445586 vzorků; délka 2 tich"), std::string::npos);
}

TEST_F(ConfigurationFileTest, TheMaximaFitTheFileLimitAndLongerFilesAreRefusedSayingIt) {
  // A full sequence whose samples have 70-character stored paths, 256 times.
  const std::string path = (program.path() / std::string(64, 'z') / "a.wav").string();
  written.AddSequence(MakeSequence(0));
  for (int j = 0; j < kMaxSamplesPerSequence; ++j) written.AppendSample(0, MakeWav(path, 0, 14456));
  EXPECT_LE(kMaxSequences * *ConfigurationTextSize().Of(written), kMaxConfigurationFileBytes);

  const auto huge = program / "huge.cfg";
  WriteFile(huge, "");
  std::filesystem::resize_file(huge, kMaxConfigurationFileBytes + 1);  // sparse
  EXPECT_FALSE(OpenConfiguration(read, huge));
  EXPECT_EQ(prompter.shown.back().text,
            "Soubor " + huge.string() + " nelze načíst: je delší než 134217728 bajtů.");
}

TEST_F(ConfigurationFileTest, TextThatIsNoConfigurationIsRefusedAndChangesNothing) {
  const struct {
    const char* text;
    bool configuration;
  } cases[] = {
      {"", false},
      {"Liftvox\r\nRead this first.\r\n", false},
      {"[Settings]\r\nWindow=3\r\n", false},
      {"[General]\r\nLabel=Čeština\r\n[Messages]\r\nDone=Hotovo\r\n", false},  // a .lng
      {"[DIL]\r\nCZ=2056,CZ.BMP\r\n", false},                                  // a .DIL file
      {"[/general]\r\n", true},
      {"[/DIL]\r\n", true},
      {"[/REVAZI]\r\nVerze=v1.01\r\n", true},
      {"[7]\r\nRepeat=255\r\n", true},
      {"[x]\r\nSoubor0=a.wav\r\n", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsConfigurationText(TTextIniFile(c.text)), c.configuration) << c.text;
  }

  NewConfiguration(read);
  read.SetModified(true);
  prompter.answers = {Answer::Cancel};
  WriteFile(program / "empty.cfg", "");
  EXPECT_FALSE(OpenConfiguration(read, program / "empty.cfg"));
  EXPECT_TRUE(prompter.asked.empty()) << "nothing to ask about: nothing is read";
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text,
            "Soubor " + (program / "empty.cfg").string() + " má špatný formát!");
  EXPECT_EQ(read.SequenceCount(), 8);
  EXPECT_TRUE(read.IsModified());
  EXPECT_FALSE(ReadText("just text"));
  EXPECT_EQ(prompter.shown.back().text, "Soubor má špatný formát!") << "no file to name";
  EXPECT_EQ(read.SequenceCount(), 8);
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

TEST_F(ConfigurationFileTest, SamplePathsResolveBesideTheOpenFileFirstAndAreMeasuredAgain) {
  TempDir project;
  WriteFile(project / "Zvuky" / "here.wav", "RIFF");
  read.SetCurrentFileName((project / "old.cfg").string());
  const std::string absolute = (program / "elsewhere.wav").string();
  std::vector<std::string> measured;
  read.SetSampleLengthMeasure([&](const std::string& file) -> std::optional<int32_t> {
    measured.push_back(file);
    return file == absolute ? std::optional<int32_t>(300) : std::nullopt;
  });
  ASSERT_TRUE(
      ReadText("[0]\nFile0=Zvuky\\here.wav\nSamples0=5\nFile1=Zvuky/gone.wav\nSamples1=7\nFile2=" +
               absolute + "\nFile3=Ticho\nSilence3=1\nSamples3=9\nFile4=Zvuky\\here.wav\n"));
  const TSekvence& sequence = *read.SequenceAt(0);
  EXPECT_EQ(sequence.SampleAt(0)->FileName, (project / "Zvuky" / "here.wav").string());
  EXPECT_EQ(sequence.SampleAt(1)->FileName, (program / "Zvuky" / "gone.wav").string());
  EXPECT_EQ(sequence.SampleAt(2)->FileName, absolute) << "an absolute path stands as it is";
  EXPECT_EQ(sequence.SampleAt(1)->Samples, 7) << "an unreadable file keeps the stored length";
  EXPECT_EQ(sequence.SampleAt(2)->Samples, 300) << "the file's own length wins";
  EXPECT_EQ(sequence.SampleAt(3)->Samples, 9);
  EXPECT_EQ(measured.size(), 3u) << "silences are not measured, a file named twice once";
}

TEST_F(ConfigurationFileTest, RecordingsFoundElsewhereAreUsedToldOnceAndSavedBesideTheFile) {
  TempDir project;
  WriteFile(project / "Hlasky" / "CS" / "Patro1.wav", "RIFF");
  WriteFile(project / "Hlasky" / "CS" / "gong.wav", "RIFF");
  WriteFile(project / "Lift.cfg",
            "[0]\r\nFile0=C:\\Tarnel\\Hlasky\\CS\\PATRO1.WAV\r\n"
            "File1=hlasky\\cs\\GONG.wav\r\nFile2=D:\\gone.wav\r\n");
  ASSERT_TRUE(OpenConfiguration(read, project / "Lift.cfg"));
  const std::string found = (project / "Hlasky" / "CS" / "Patro1.wav").string();
  EXPECT_EQ(read.SequenceAt(0)->SampleAt(0)->FileName, found);
  ASSERT_NE(read.Recordings.Find(found), nullptr);
  EXPECT_EQ(read.Recordings.Find(found)->storedPath, "C:\\Tarnel\\Hlasky\\CS\\PATRO1.WAV");
  EXPECT_TRUE(read.Recordings.IsMissing(read.SequenceAt(0)->SampleAt(2)->FileName));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Nahrávky nalezené jinde, než uvádí konfigurace: 2");

  ASSERT_TRUE(SaveConfiguration(read, project / "Saved.cfg"));
  EXPECT_NE(ReadFile(project / "Saved.cfg").find("File0=Hlasky\\CS\\Patro1.wav\r\n"),
            std::string::npos);
}

// An image's stored text: a length that reaches past the buffer, or none at
// all, is refused.
TEST_F(ConfigurationFileTest, BufferedConfigurationIsBoundsChecked) {
  NewConfiguration(written);
  const std::string text = *RenderConfigurationText(written);
  std::vector<uint8_t> bytes(4 + text.size() + 1, 0);
  std::copy(text.begin(), text.end(), bytes.begin() + 4);
  const auto fits = static_cast<uint32_t>(text.size() + 1);
  for (const uint32_t length : {fits + 1, 0u, 0xFFFFFFFFu, fits}) {
    for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(length >> (8 * i));
    EXPECT_EQ(LoadConfigurationFromBuffer(read, bytes.data(), bytes.size()), length == fits);
  }
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
  EXPECT_FALSE(ConfigurationTextSize().Of(written).has_value());
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
  NewConfiguration(read);
  AddFloorSequence(read);
  read.SetCurrentFileName("previous.cfg");
  prompter.answers = {Answer::Cancel};
  EXPECT_FALSE(OpenConfiguration(read, good));
  EXPECT_EQ(read.SequenceCount(), 9) << "a cancelled question keeps the document and its name";
  EXPECT_EQ(read.CurrentFileName(), "previous.cfg");

  EXPECT_TRUE(OpenConfiguration(read, good));  // "No" this time
  EXPECT_EQ(read.SequenceCount(), 8);
  EXPECT_EQ(read.CurrentFileName(), good.string());
  EXPECT_FALSE(read.IsModified());

  // Stopped halfway: empty, untitled, and asked about the changes only once.
  read.SetModified(true);
  prompter.asked.clear();
  const std::size_t shown = prompter.shown.size();
  EXPECT_FALSE(
      OpenConfiguration(read, good, [](const std::string&, float done) { return done < 0.5; }));
  EXPECT_EQ(read.SequenceCount(), 0);
  EXPECT_EQ(read.CurrentFileName(), "");
  EXPECT_FALSE(read.IsModified());
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.shown.size(), shown) << "a stop needs no message";
}

}  // namespace
}  // namespace liftvox::test
