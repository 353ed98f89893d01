#include "commands/announcer_commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "image/image_builder.h"
#include "model/document.h"
#include "model/editing.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

class AnnouncerCommandsTest : public ::testing::Test {
 protected:
  AnnouncerCommandsTest() {
    document.SetPrompter(&prompter);
    document.IconNames = {"CZ.BMP"};
    NewConfiguration(document);
  }
  ScriptedPrompter prompter;
  TPametRevazie document;
  ImageSettings settings;
};

TEST_F(AnnouncerCommandsTest, ProgrammingAsksToRebuildThenToProgram) {
  prompter.answers = {Answer::No, Answer::Yes};
  EXPECT_TRUE(ConfirmProgramming(document, settings));
  ASSERT_EQ(prompter.asked.size(), 2u);
  EXPECT_EQ(prompter.asked[0].key, "ReBuild");
  EXPECT_EQ(prompter.asked[1].caption, "Programování hlásiče");
  EXPECT_TRUE(document.IsImageStale()) << "No keeps the image there is";

  prompter.answers = {Answer::Yes, Answer::No};
  EXPECT_FALSE(ConfirmProgramming(document, settings));
  EXPECT_FALSE(document.IsImageStale());
}

// A rebuild that fails says why once and opens no programming dialog.
TEST_F(AnnouncerCommandsTest, FailedRebuildEndsBeforeTheProgrammingQuestion) {
  const struct {
    const char* key;
    std::function<void(TPametRevazie&)> spoil;
  } failures[] = {
      {"MemoryFull", [](TPametRevazie& d) { d.SequenceAt(7)->Name = std::string(70000, 'x'); }},
      {"UnableLoadFile",
       [](TPametRevazie& d) {
         auto sample = std::make_unique<TVzorek>();
         sample->SetFileName("/no/such/file.wav");
         d.AppendSample(0, std::move(sample));
       }},
  };
  for (const auto& failure : failures) {
    NewConfiguration(document);
    failure.spoil(document);
    document.MarkImageStale();
    prompter.asked.clear();
    prompter.shown.clear();
    prompter.answers = {Answer::Yes};
    EXPECT_FALSE(ConfirmProgramming(document, settings)) << failure.key;
    ASSERT_EQ(prompter.asked.size(), 1u) << failure.key;
    EXPECT_EQ(prompter.asked[0].key, "ReBuild");
    ASSERT_EQ(prompter.shown.size(), 1u) << failure.key;
    EXPECT_EQ(prompter.shown[0].key, failure.key);
  }
}

TEST_F(AnnouncerCommandsTest, ReadBackImagesOfferTheirConfiguration) {
  document.SequenceAt(7)->Name = "Z hlásiče";
  ASSERT_GT(SestavPamet(document, settings), 0);
  NewConfiguration(document);  // what was read stays in the image

  prompter.answers = {Answer::No};
  FinishMemoryRead(document, settings, 1024);
  EXPECT_EQ(prompter.asked.back().key, "MemoryIncludeConf");
  EXPECT_EQ(document.SequenceAt(7)->Name, "Přízemí");
  EXPECT_EQ(document.UsedMemory, 1024);

  prompter.answers = {Answer::Yes};
  FinishMemoryRead(document, settings, 1024);
  EXPECT_EQ(document.SequenceAt(7)->Name, "Z hlásiče");

  const auto asked = prompter.asked.size();
  FinishMemoryRead(document, settings, 0);
  EXPECT_EQ(prompter.asked.size(), asked) << "nothing read, nothing asked";
}

TEST_F(AnnouncerCommandsTest, ConfigurationReadBackLoadsOrSaysWhyAndRebuilds) {
  document.SequenceAt(7)->Name = "Uložená";
  ASSERT_GT(SestavPamet(document, settings), 0);
  NewConfiguration(document);
  FinishConfigurationRead(document, settings, 1792);
  EXPECT_EQ(document.SequenceAt(7)->Name, "Uložená");
  EXPECT_TRUE(prompter.asked.empty()) << "loaded without a question";
  EXPECT_FALSE(document.IsImageStale()) << "the image is rebuilt from what was loaded";

  // The window records the load as an edit only when one happened.
  EXPECT_FALSE(TakeReadConfiguration(document, settings, -1));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_FALSE(TakeReadConfiguration(document, settings, 0));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].key, "UnableFindConf");
  EXPECT_TRUE(TakeReadConfiguration(document, settings, 1792));
}

}  // namespace
}  // namespace liftvox::test
