#include "model/editing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/document.h"
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
  Select(-1, 2);  // a general sequence
  TSekvence* general = AddGeneralSequence(document);
  EXPECT_EQ(document.IndexOf(general), 3);
  EXPECT_EQ(general->Code, 128);
  EXPECT_TRUE(general->Selected);

  TSekvence* floor = AddFloorSequence(document);  // general selected: in front of the floors
  EXPECT_EQ(document.IndexOf(floor), 8);
  EXPECT_EQ(floor->Code, 1);

  floor = AddFloorSequence(document);  // a floor selected: right after it
  EXPECT_EQ(document.IndexOf(floor), 9);

  general = AddGeneralSequence(document);  // a floor selected: in front of the first floor
  EXPECT_EQ(document.IndexOf(general), 8);

  document.ClearSelection();
  floor = AddFloorSequence(document);
  EXPECT_EQ(document.IndexOf(floor), document.SequenceCount() - 1);
  for (int i = 0; i < document.SequenceCount(); ++i) EXPECT_EQ(document.SequenceAt(i)->Top, 48 * i);

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
  EXPECT_EQ(silence->DisplayName, "Ticho");

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

TEST_F(EditingTest, KeysMoveTheSelectionWithClamping) {
  for (const char* name : {"a", "b"}) document.AppendSample(0, MakeWav(name));
  Select(1, 0);
  HandleWorkspaceKey(document, WorkspaceKey::Right);
  EXPECT_EQ(document.SelectedSampleIndex(), 1) << "stays on the last sample";
  HandleWorkspaceKey(document, WorkspaceKey::Left);
  HandleWorkspaceKey(document, WorkspaceKey::Left);
  EXPECT_EQ(document.SelectedSampleIndex(), -1);
  EXPECT_EQ(document.GetSelectedSequence(), document.SequenceAt(0));
  HandleWorkspaceKey(document, WorkspaceKey::Up);
  EXPECT_EQ(document.SelectedSequenceIndex(), 0);
  HandleWorkspaceKey(document, WorkspaceKey::CtrlEnd);
  EXPECT_EQ(document.SelectedSequenceIndex(), 7);
  HandleWorkspaceKey(document, WorkspaceKey::Down);
  EXPECT_EQ(document.SelectedSequenceIndex(), 7) << "stays on the last sequence";
  HandleWorkspaceKey(document, WorkspaceKey::CtrlHome);
  EXPECT_EQ(document.CurrentSample->FileName, "a");
}

}  // namespace
}  // namespace liftvox::test
