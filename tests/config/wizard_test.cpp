#include "config/wizard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/dil_file.h"
#include "config/ini_file.h"
#include "model/coding.h"
#include "model/document.h"
#include "model/editing.h"
#include "model/model_fixture.h"

namespace liftvox::test {
namespace {

using ::testing::_;
using ::testing::ElementsAre;

class WizardTest : public ::testing::Test {
 protected:
  WizardTest() {
    document.SetPrompter(&prompter);
    document.IconNames = {"CZ.BMP", "EN.BMP"};
    document.ProgramDirectory = program.path();
    // Windows-1250 on disk, CR LF, like shipped wizard files.
    WriteFile(program / "Languages" / "cz.wiz",
              "[/PLAYER]\r\nLanguage=\xC8"
              "e\x9Atina\r\nIcon=CZ.BMP\r\n"
              "[SekvUp]\r\nFile0=Zvuky\\nahoru.wav\r\nSamples0=900\r\n"
              "File1=Ticho\r\nSilence1=1\r\nSamples1=100\r\n"
              "[-1]\r\nFile0=Zvuky\\suteren.wav\r\nDIL0=1\r\n"
              "[/DIL]\r\nCZ=2056,CZ.BMP\r\nCZ2=2048,XX.BMP\r\n");
    WriteFile(program / "Languages" / "en.wiz",
              "[/PLAYER]\r\nLanguage=English\r\n"
              "[SekvUp]\r\nFile0=up.wav\r\n"
              "[/DIL]\r\nEN=2048,EN.BMP\r\n");
    WriteFile(program / "Languages" / "anonymous.wiz", "[SekvUp]\r\nFile0=x.wav\r\n");
  }

  std::vector<std::string> SampleFiles(int sequence) const {
    std::vector<std::string> files;
    for (const auto& sample : document.SequenceAt(sequence)->SampleList)
      files.push_back(sample->Silence
                          ? "silence " + std::to_string(sample->Samples)
                          : std::filesystem::path(sample->FileName).filename().string() + " " +
                                std::to_string(sample->DIL));
    return files;
  }

  TempDir program;
  ScriptedPrompter prompter;
  TPametRevazie document;
};

TEST_F(WizardTest, OnlyFilesNamingTheirLanguageAreOffered) {
  const auto languages = FindWizardLanguages(program / "Languages");
  ASSERT_EQ(languages.size(), 2u);
  EXPECT_EQ(languages[0].name, "Čeština");
  EXPECT_EQ(languages[0].icon, "CZ.BMP");
  EXPECT_EQ(languages[1].name, "English");
}

TEST_F(WizardTest, FloorsAreNamedAndCodedFromTheLowest) {
  WizardChoices choices;
  choices.specialPins = {};
  choices.floorCount = 3;
  choices.lowestFloor = -1;
  ASSERT_TRUE(SestavKonfiguraci(document, choices));
  ASSERT_EQ(document.SequenceCount(), 3);
  EXPECT_EQ(document.SequenceAt(0)->Name, "Suterén");
  EXPECT_EQ(document.SequenceAt(1)->Name, "Přízemí");
  EXPECT_EQ(document.SequenceAt(2)->Name, "1. patro");
  EXPECT_EQ(document.SequenceAt(2)->WizardKey, "1");
  EXPECT_THAT(Codes(document), ElementsAre(0, 1, 2));
  EXPECT_TRUE(document.DilEntries.empty()) << "no language chosen";
}

TEST_F(WizardTest, SpecialSequencesTakeCodesFrom128AndLimitsHold) {
  WizardChoices choices;  // all seven, 24 floors, binary
  ASSERT_TRUE(SestavKonfiguraci(document, choices));
  ASSERT_EQ(document.SequenceCount(), 31);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(document.SequenceAt(i)->Code, 128 + i);
  EXPECT_EQ(document.SequenceAt(0)->Pin, 1);
  EXPECT_EQ(document.SequenceAt(0)->WizardKey, "SekvOverload");

  choices.floorCount = 249;
  ASSERT_TRUE(SestavKonfiguraci(document, choices));
  EXPECT_EQ(document.SequenceCount(), 256);
  choices.floorCount = 250;
  ASSERT_TRUE(SestavKonfiguraci(document, choices));
  EXPECT_EQ(document.SequenceCount(), 256) << "floors beyond the limit are not made";

  choices.floorCount = 3;
  choices.gray = true;
  choices.inverted = true;
  ASSERT_TRUE(SestavKonfiguraci(document, choices));
  EXPECT_THAT(Codes(document), ElementsAre(0xFF ^ GrayCode(128), 0xFF ^ GrayCode(129), _, _, _, _,
                                           _, 0xFF, 0xFE, 0xFF ^ 3))
      << "special sequences count on from position 128 of the same coding";
}

TEST_F(WizardTest, TwoLanguagesAreSeparatedAndTheirEntriesShifted) {
  WizardChoices choices;
  choices.specialPins = {3};
  choices.floorCount = 2;
  choices.lowestFloor = -1;
  choices.languageFiles = {program / "Languages" / "cz.wiz", program / "Languages" / "en.wiz"};
  ASSERT_TRUE(SestavKonfiguraci(document, choices));
  EXPECT_THAT(SampleFiles(0), ElementsAre("nahoru.wav 0", "silence 100", "up.wav 2"))
      << "the first language ends in silence, so no gap is added";
  EXPECT_THAT(SampleFiles(1), ElementsAre("suteren.wav 1"));
  ASSERT_EQ(document.DilEntries.size(), 3u);
  EXPECT_EQ(document.DilEntries[1].Icon, 0) << "unknown icons fall back to the first";
  EXPECT_EQ(document.DilEntries[2].Name, "EN");
  EXPECT_EQ(document.SequenceAt(1)->SampleAt(0)->FileName,
            (program / "Zvuky" / "suteren.wav").string());

  // Without the trailing silence the languages get a 500 ms gap.
  choices.languageFiles = {program / "Languages" / "en.wiz", program / "Languages" / "en.wiz"};
  ASSERT_TRUE(SestavKonfiguraci(document, choices));
  EXPECT_THAT(SampleFiles(0), ElementsAre("up.wav 0", "silence 7228", "up.wav 1"));
}

// The second file's positions move by the first one's two entries, without wrapping.
TEST_F(WizardTest, DilPositionsFarOutOfRangeStayOutOfRange) {
  WriteFile(program / "Languages" / "far.wiz",
            "[/PLAYER]\r\nLanguage=Far\r\n"
            "[SekvUp]\r\nFile0=a.wav\r\nDIL0=2147483647\r\nFile1=b.wav\r\nDIL1=-2147483648\r\n");
  NewConfiguration(document);
  document.SequenceAt(0)->WizardKey = "SekvUp";
  NactiJazyky(document, {program / "Languages" / "cz.wiz", program / "Languages" / "far.wiz"});
  EXPECT_THAT(SampleFiles(0),
              ElementsAre("nahoru.wav 0", "silence 100", "a.wav 2147483647", "b.wav -2147483646"));
}

// A cancelled question before the result replaces a changed configuration
// is the wizard dialog's test.
TEST_F(WizardTest, TheResultIsUnsavedAndNamesNoFile) {
  document.SetCurrentFileName((program / "earlier.cfg").string());
  SestavKonfiguraci(document, WizardChoices{});
  EXPECT_TRUE(document.IsModified()) << "no file holds it yet";
  EXPECT_EQ(document.CurrentFileName(), "") << "a save must not overwrite the earlier file";
}

TEST(DilFileTest, LinesParseWithBlanksAndCaseInsensitiveDuplicates) {
  const std::vector<std::string> icons{"CZ.BMP", "EN.BMP"};
  const DilEntry spaced = ParseDilLine("Czech", " 2056 , cz.bmp ", icons, -1);
  EXPECT_EQ(spaced.Pattern, 2056);
  EXPECT_EQ(spaced.Icon, 0);
  EXPECT_EQ(ParseDilLine("x", "70000,EN.BMP", icons, -1).Pattern, 70000 & 0xFFFF);
  EXPECT_EQ(ParseDilLine("x", "1,NONE.BMP", icons, -1).Icon, -1);

  TTextIniFile ini;
  ASSERT_TRUE(WriteDilSection(ini, "DIL", {{"Czech", 0, 2056}, {"CZECH", 1, 2048}}, icons));
  EXPECT_EQ(ini.Text(), "[DIL]\r\nCzech=2056,CZ.BMP\r\nCZECH (2)=2048,EN.BMP\r\n\r\n")
      << "every entry keeps its own line";
  EXPECT_FALSE(WriteDilSection(ini, "DIL", {{"Bad", -1, 0}}, icons));
}

TEST(DilFileTest, FilesLoadAndSaveThroughTheDocument) {
  TempDir dir;
  ScriptedPrompter prompter;
  TPametRevazie document;
  document.SetPrompter(&prompter);
  document.IconNames = {"CZ.BMP", "EN.BMP"};
  EXPECT_FALSE(LoadDilFile(document, dir / "missing.dil"));
  EXPECT_EQ(prompter.shown.back().key, "UnableLoadFile");
  EXPECT_FALSE(document.IsModified());

  WriteFile(dir / "two.dil", "[DIL]\r\nCzech=2056,CZ.BMP\r\nEnglish=2048,EN.BMP\r\n");
  ASSERT_TRUE(LoadDilFile(document, dir / "two.dil"));
  EXPECT_TRUE(document.IsModified()) << "the configuration's entries changed";
  ASSERT_EQ(document.DilEntries.size(), 2u);
  EXPECT_EQ(document.DilEntries[1].Icon, 1);
  ASSERT_TRUE(SaveDilFile(document, dir / "copy.dil"));
  EXPECT_EQ(ReadFile(dir / "copy.dil"), ReadFile(dir / "two.dil") + "\r\n");

  WriteFile(dir / "odd.dil", "[DIL]\r\nOdd=1,XX.BMP\r\n");
  ASSERT_TRUE(LoadDilFile(document, dir / "odd.dil"));
  EXPECT_EQ(document.DilEntries[0].Icon, -1) << "an unknown icon stays unknown";
  EXPECT_FALSE(SaveDilFile(document, dir / "copy.dil"));
  EXPECT_EQ(prompter.shown.back().key, "UnableWriteFile");
  EXPECT_EQ(ReadFile(dir / "copy.dil"), ReadFile(dir / "two.dil") + "\r\n");
}

}  // namespace
}  // namespace liftvox::test
