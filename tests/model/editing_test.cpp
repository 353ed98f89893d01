#include "model/editing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "model/coding.h"
#include "model/dil_list.h"
#include "model/document.h"
#include "model/language_order.h"
#include "model/silence_between_languages.h"
#include "model_fixture.h"

namespace liftvox::test {
namespace {

using ::testing::ElementsAre;

class EditingTest : public ::testing::Test {
 protected:
  EditingTest() {
    document.SetPrompter(&prompter);
    NewConfiguration(document);
  }
  void Select(int sample, int sequence) { document.SelectAt(sample, sequence); }

  ScriptedPrompter prompter;
  TPametRevazie document;
};

TEST_F(EditingTest, NewSequencesFollowThePlacementRule) {
  // Each add with the selection it meets: its place (and first codes).
  const struct {
    bool floor;
    int selected;  // sequence index, -1: nothing selected
    int index;
    int32_t code;  // -1: the code rules' own test covers it
  } adds[] = {
      {false, 2, 3, 128},  // after the selected general sequence
      {true, 3, 8, 1},     // a general one selected: in front of the floors
      {true, 8, 9, -1},    // after the selected floor
      {false, 9, 8, -1},   // a floor selected: in front of the first floor
      {false, -1, 9, -1},  // nothing selected: in front of the first floor
      {true, -1, 13, -1},  // nothing selected: at the end
  };
  for (const auto& add : adds) {
    if (add.selected < 0)
      document.ClearSelection();
    else
      Select(-1, add.selected);
    TSekvence* added = add.floor ? AddFloorSequence(document) : AddGeneralSequence(document);
    EXPECT_EQ(document.IndexOf(added), add.index) << add.selected;
    if (add.code >= 0) {
      EXPECT_EQ(added->Code, add.code);
    }
    EXPECT_TRUE(added->Selected && document.CurrentSequence == added);
  }
  TPametRevazie empty;
  EXPECT_EQ(empty.IndexOf(AddFloorSequence(empty)), 0);
  EXPECT_EQ(empty.IndexOf(AddGeneralSequence(empty)), 0);
}

TEST_F(EditingTest, DeleteCommandsAskAndAlwaysMarkModified) {
  Select(-1, 7);
  prompter.answers = {Answer::No};
  EXPECT_FALSE(DeleteSelectedSequence(document));
  EXPECT_EQ(document.SequenceCount(), 8);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(prompter.asked.back().text, "Skutečně chcete smazat sekvenci 00000000 (Přízemí)?");

  prompter.answers = {Answer::Yes};
  EXPECT_TRUE(DeleteSelectedSequence(document));
  EXPECT_EQ(document.SequenceCount(), 7);

  document.AppendSample(0, MakeWav("/a.wav"));
  prompter.answers = {Answer::Yes};
  HandleWorkspaceKey(document, WorkspaceKey::Delete);
  EXPECT_EQ(document.SequenceAt(0)->SampleCount(), 0);
  EXPECT_EQ(prompter.asked.back().key, "SampleDeleteConfirm");
  EXPECT_EQ(document.CurrentSample, nullptr);
}

TEST_F(EditingTest, SilenceGoesAfterTheSelectionAndFollowsTheEditor) {
  for (const char* name : {"a", "b", "c"}) document.AppendSample(0, MakeWav(name));
  Select(1, 0);
  TVzorek* silence = AddSilence(document, 500);
  EXPECT_THAT(Names(*document.SequenceAt(0)), ElementsAre("a", "b", "-0", "c"));
  EXPECT_EQ(silence->Samples, 7228);
  EXPECT_EQ(silence->FileName, "Ticho");

  Select(-1, 0);
  AddSilence(document, 500);
  EXPECT_EQ(Names(*document.SequenceAt(0)).front(), "-0");

  document.CurrentSample = silence;
  EXPECT_EQ(ApplySilenceLength(document, 5), 10);
  EXPECT_EQ(silence->Samples, 145);
  EXPECT_EQ(ApplySilenceLength(document, 1000000), 99999);

  TPametRevazie empty;
  EXPECT_EQ(AddSilence(empty, 500), nullptr);
}

// Unmarked edits would be lost at close without a question, and a view that
// is not told shows the old configuration.
TEST_F(EditingTest, EveryEditMarksTheDocumentAndTellsTheViewOnce) {
  struct Case {
    const char* edit;
    std::function<void(TPametRevazie&)> run;
    const char* content;
  };
  const Case cases[] = {
      {"add general", [](auto& d) { AddGeneralSequence(d); }, "content all"},
      {"add floor", [](auto& d) { AddFloorSequence(d); }, "content all"},
      {"delete sequence", [](auto& d) { d.DeleteSequence(d.SequenceAt(7)); }, "content all"},
      {"move sequence", [](auto& d) { d.MoveSequence(d.SequenceAt(0), 1); }, "content all"},
      {"insert sample", [](auto& d) { d.InsertSample(MakeWav("x"), 7, 0); }, "content 7"},
      {"delete sample", [](auto& d) { d.DeleteSample(d.SequenceAt(0)->SampleAt(0)); }, "content 0"},
      {"move sample", [](auto& d) { d.MoveSample(d.SequenceAt(0)->SampleAt(0), 0, 5); },
       "content 0"},
      {"move sample away", [](auto& d) { d.MoveSample(d.SequenceAt(0)->SampleAt(0), 7, 0); },
       "content all"},
      {"add silence", [](auto& d) { AddSilence(d, 500); }, "content 0"},
      {"silence length", [](auto& d) { ApplySilenceLength(d, 20); }, "content 0"},
      {"coding", [](auto& d) { ApplyFloorCoding(d, FloorCoding{}); }, "content all"},
      {"language order",
       [](auto& d) {
         ApplyLanguageOrder(d, std::vector{1, 0});
       },
       "content all"},
      {"silence between languages", [](auto& d) { InsertSilenceBetweenLanguages(d, 500); },
       "content all"},
      {"add DIL entry", [](auto& d) { AddDilEntry(d); }, "content all"},
      {"delete DIL entry", [](auto& d) { DeleteDilEntry(d, 0); }, "content all"},
      {"move DIL entry", [](auto& d) { MoveDilEntry(d, 0, 1); }, "content all"},
  };
  for (const Case& c : cases) {
    TPametRevazie edited;
    NewConfiguration(edited);
    edited.DilEntries.push_back({"EN", 0, 0});
    edited.AppendSample(0, MakeWav("a", 0));
    edited.AppendSample(0, MakeWav("b", 1));
    edited.AppendSample(7, MakeWav("c", 0));
    int sample = 1, sequence = 0;
    edited.SelectAt(sample, sequence);
    edited.SetModified(false);
    edited.SetImageStale(false);
    RecordingView view;
    edited.SetView(&view);

    c.run(edited);
    EXPECT_EQ(std::count(view.heard.begin(), view.heard.end(), c.content), 1)
        << c.edit << ": " << ::testing::PrintToString(view.heard);
    EXPECT_EQ(std::count(view.heard.begin(), view.heard.end(), "modified 1"), 1) << c.edit;
    EXPECT_EQ(std::count(view.heard.begin(), view.heard.end(), "stale 1"), 1) << c.edit;
  }
}

}  // namespace
}  // namespace liftvox::test
