// Snapshots are what undo keeps: a restore must give back exactly what was
// saved, leave no pointer into the lists it replaced, and never touch a file
// or ask a question (undo runs inside a GUI command).
#include "model/snapshot.h"

#include <gtest/gtest.h>

#include "config/configuration_file.h"
#include "model/document.h"
#include "model/editing.h"
#include "model/model_fixture.h"

namespace liftvox::test {
namespace {

class SnapshotTest : public ::testing::Test {
 protected:
  SnapshotTest() {
    document.IconNames = {"CZ.BMP", "EN.BMP"};
    NewConfiguration(document);
    document.DilEntries = {{"Čeština", 0, 0xFF08}, {"English", 1, 0x0800}};
    document.ParPlayInv = document.SerPlayInv = true;
    TSekvence& up = *document.SequenceAt(0);
    up.WizardKey = "SekvUp";
    up.Priority = 7;
    up.Bit = 12;
    up.InvSerBit = up.InvParBit = true;
    document.AppendSample(0, MakeWav("/Zvuky/nahoru.wav", 0, 12345));
    document.AppendSample(0, MakeSilence(3614));
    document.AppendSample(0, MakeWav("/srv/up.wav", 1, 999));
    document.AppendSample(7, MakeWav("/Zvuky/prizemi.wav", 1, 4321));
    int sample = 1, sequence = 0;
    document.SelectAt(sample, sequence);
    document.CurrentSequence = document.SequenceAt(3);  // focus apart from the selection
    document.CurrentSample = document.SequenceAt(7)->SampleAt(0);
  }
  std::string Text() const { return RenderConfigurationText(document).value_or("unwritable"); }

  TPametRevazie document;
};

TEST_F(SnapshotTest, RestoreGivesBackTheSameTextKeysAndSelectionWithNewPointers) {
  const std::string text = Text();
  const ConfigurationSnapshot taken = TakeSnapshot(document);
  const SelectionSnapshot selection = TakeSelection(document);
  NewConfiguration(document);  // something else entirely in between
  document.DilEntries.clear();
  AddGeneralSequence(document);
  ASSERT_NE(Text(), text);

  RestoreSnapshot(document, taken, selection);
  EXPECT_EQ(Text(), text);
  EXPECT_EQ(document.SequenceAt(0)->WizardKey, "SekvUp");
  EXPECT_EQ(TakeSnapshot(document), taken);
  EXPECT_EQ(TakeSelection(document), selection);
  EXPECT_TRUE(document.SequenceAt(0)->SampleAt(1)->Selected);

  EXPECT_EQ(document.CurrentSequence, document.SequenceAt(3));
  EXPECT_EQ(document.CurrentSample, document.SequenceAt(7)->SampleAt(0));
  for (int i = 0; i < document.SequenceCount(); ++i) {
    const TSekvence& sequence = *document.SequenceAt(i);
    EXPECT_EQ(sequence.Top, 48 * i);
    for (int j = 0; j < sequence.SampleCount(); ++j) {
      EXPECT_EQ(sequence.SampleAt(j)->Sequence, &sequence);
      EXPECT_EQ(sequence.SampleAt(j)->Left, 112 + 103 * j);
    }
  }
  // These follow the focus and the back pointers: under the address
  // sanitizer a stale one is a use after free.
  document.MoveSample(document.CurrentSample, 0, 0);
  document.DeleteSample(document.GetSelectedSample());
  EXPECT_EQ(document.SequenceAt(0)->SampleCount(), 3);
}

TEST_F(SnapshotTest, RestoreReadsNoFileAsksNothingAndTellsTheViewOnce) {
  const ConfigurationSnapshot taken = TakeSnapshot(document);
  ScriptedPrompter prompter;
  document.SetPrompter(&prompter);
  int measured = 0;
  document.SetSampleLengthMeasure([&measured](const std::string&) -> std::optional<int32_t> {
    ++measured;
    return 1;
  });
  document.SetModified(true);  // clearing the document first would ask about this
  document.SetImageStale(false);
  RecordingView view;
  document.SetView(&view);

  RestoreSnapshot(document, taken);
  EXPECT_TRUE(prompter.asked.empty() && prompter.shown.empty());
  EXPECT_EQ(measured, 0);
  EXPECT_EQ(view.heard, (std::vector<std::string>{"content all", "selection", "stale 1"}));
  EXPECT_TRUE(document.IsModified()) << "the undo stack decides that";
}

}  // namespace
}  // namespace liftvox::test
