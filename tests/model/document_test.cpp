#include "model/document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/dil_entry.h"
#include "model/editing.h"
#include "model/trigger_text.h"
#include "model_fixture.h"

namespace liftvox::test {
namespace {

using ::testing::ElementsAre;

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() { document.SetPrompter(&prompter); }
  ScriptedPrompter prompter;
  TPametRevazie document;
};

TEST_F(DocumentTest, NewConfigurationHoldsSevenGeneralSequencesAndTheGroundFloor) {
  ASSERT_TRUE(NewConfiguration(document));
  ASSERT_EQ(document.SequenceCount(), 8);
  std::vector<int32_t> pins;
  for (const auto& sequence : document.SequenceList) pins.push_back(sequence->Pin);
  EXPECT_THAT(pins, ElementsAre(3, 4, 5, 6, 1, 2, 7, 0));
  EXPECT_THAT(Codes(document), ElementsAre(4096, 4097, 4098, 4099, 4100, 4101, 4102, 0));
  EXPECT_EQ(document.SequenceAt(4)->Repeat, 10);
  EXPECT_EQ(document.SequenceAt(0)->Repeat, 255);
  EXPECT_EQ(document.SequenceAt(0)->Name, "Výtah jede nahoru");
  EXPECT_EQ(document.SequenceAt(7)->Name, "Přízemí");
  EXPECT_TRUE(document.SequenceAt(7)->Floor);
  EXPECT_EQ(document.SequenceAt(7)->Top, 7 * 48);
  EXPECT_EQ(document.NextGeneralCode(), 128);
  EXPECT_EQ(document.NextFloorCode(), 1);
  EXPECT_TRUE(document.SequenceAt(0)->Selected);
}

TEST_F(DocumentTest, CodeAllocationSkipsTakenCodes) {
  document.AddSequence(MakeSequence(0, true));
  document.AddSequence(MakeSequence(128));
  EXPECT_EQ(document.NextGeneralCode(), 1) << "128 is taken and nothing above it";
  document.AddSequence(MakeSequence(200));
  EXPECT_EQ(document.NextGeneralCode(), 201);

  TPametRevazie floors;
  for (int code : {0, 1, 2}) floors.AddSequence(MakeSequence(code, true));
  EXPECT_EQ(floors.NextFloorCode(), 3);

  TPametRevazie edge;
  edge.AddSequence(MakeSequence(255));
  EXPECT_EQ(edge.NextGeneralCode(), 0) << "256 is not a code";

  TPametRevazie full;
  for (int code = 0; code < 256; ++code) full.AddSequence(MakeSequence(code, true));
  EXPECT_EQ(full.NextFloorCode(), 256) << "with every code taken the candidate stays";
}

TEST_F(DocumentTest, SequenceLimitWarnsAndDropsTheOfferedSequence) {
  for (int i = 0; i < kMaxSequences; ++i) ASSERT_NE(document.AddSequence(MakeSequence(i)), nullptr);
  EXPECT_EQ(document.AddSequence(MakeSequence(1)), nullptr);
  EXPECT_EQ(document.SequenceCount(), kMaxSequences);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].key, "SekvTooMany");
  EXPECT_EQ(prompter.shown[0].text, "Maximální počet sekvencí je 256.");

  // The add commands stop silently before that point.
  EXPECT_EQ(AddGeneralSequence(document), nullptr);
  EXPECT_EQ(AddFloorSequence(document), nullptr);
  EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(DocumentTest, SequencesNeverCrossTheGeneralFloorBoundary) {
  document.AddSequence(MakeSequence(128));
  document.AddSequence(MakeSequence(0, true));
  document.AddSequence(MakeSequence(1, true));
  TSekvence* second = document.SequenceAt(2);

  document.MoveSequence(second, 0);
  EXPECT_THAT(Codes(document), ElementsAre(128, 0, 1));
  document.MoveSequence(second, 1);
  EXPECT_THAT(Codes(document), ElementsAre(128, 1, 0));
  EXPECT_EQ(second->Top, 48);
  EXPECT_EQ(document.SequenceAt(2)->Top, 96);

  EXPECT_FALSE(document.InsertSequenceChecked(MakeSequence(2, true), 0));
  EXPECT_TRUE(document.InsertSequenceChecked(MakeSequence(2, true), 99)) << "clamped to the end";
  EXPECT_FALSE(document.InsertSequenceChecked(nullptr, 0));
  EXPECT_EQ(document.SequenceCount(), 4);
}

TEST_F(DocumentTest, SelectAtClampsAndReportsWhatItSelected) {
  document.AddSequence(MakeSequence(0));
  document.AddSequence(MakeSequence(1));
  for (const char* name : {"a", "b", "c"}) document.AppendSample(1, MakeWav(name));

  // SelectAt hands back the indices it settled on.
  const auto select = [&](int sample, int sequence) {
    document.SelectAt(sample, sequence);
    return std::pair{sample, sequence};
  };
  EXPECT_EQ(select(5, 1), std::pair(2, 1));
  EXPECT_EQ(document.CurrentSample->FileName, "c");
  EXPECT_EQ(document.GetSelectedSample(), document.CurrentSample);
  EXPECT_EQ(select(0, 9), std::pair(0, 1)) << "beyond the list: the last sequence";
  EXPECT_EQ(document.CurrentSequence, document.SequenceAt(1));
  EXPECT_EQ(select(0, 0), std::pair(-1, 0)) << "a sequence without samples selects no sample";
  EXPECT_EQ(document.CurrentSample, nullptr);
  EXPECT_EQ(select(3, -1), std::pair(-1, 0));
  EXPECT_EQ(document.GetSelectedSequence(), nullptr);
}

TEST_F(DocumentTest, SampleOperationsKeepPositionsAndFocusConsistent) {
  document.AddSequence(MakeSequence(0));
  document.AddSequence(MakeSequence(1));
  TVzorek* a = document.AppendSample(0, MakeWav("a"));
  TVzorek* b = document.AppendSample(0, MakeWav("b"));
  EXPECT_EQ(b->Left, 112 + 103);
  EXPECT_EQ(b->Sequence, document.SequenceAt(0));

  document.MoveSample(a, 1, 0);
  EXPECT_EQ(a->Sequence, document.SequenceAt(1));
  EXPECT_EQ(a->Top, 48);
  EXPECT_EQ(a->Left, 112);
  EXPECT_EQ(b->Left, 112) << "the sample left behind moves up";

  document.CurrentSample = b;
  document.DeleteSample(b);
  EXPECT_EQ(document.CurrentSample, nullptr);
  EXPECT_EQ(document.SequenceAt(0)->SampleCount(), 0);

  document.DeleteSample(nullptr);
  document.DeleteSequence(nullptr);
  EXPECT_EQ(document.InsertSample(nullptr, 0, 0), nullptr);
  document.DeleteSequence(document.SequenceAt(1));
  EXPECT_EQ(document.CurrentSample, nullptr);
  EXPECT_EQ(document.CurrentSequence, nullptr);
  EXPECT_EQ(document.SequenceCount(), 1);
}

TEST_F(DocumentTest, UnsavedChangesQuestionGuardsClearing) {
  NewConfiguration(document);
  int saves = 0;
  document.SetSaveCommand([&saves] { ++saves; });

  document.SetModified(true);
  prompter.answers = {Answer::Cancel};
  EXPECT_FALSE(document.ClearConfiguration());
  EXPECT_EQ(document.SequenceCount(), 8);

  prompter.answers = {Answer::Yes};
  EXPECT_TRUE(document.ClearConfiguration());
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(document.SequenceCount(), 0);
  EXPECT_EQ(prompter.asked.back().key, "ConfNotSaved");

  document.SetModified(false);
  const auto asked = prompter.asked.size();
  EXPECT_TRUE(document.ClearConfiguration());
  EXPECT_EQ(prompter.asked.size(), asked) << "nothing to ask without changes";
}

TEST(TriggerTextTest, BinaryCodeTextsBothWays) {
  EXPECT_EQ(CodeToBinary(5), "00000101");
  EXPECT_EQ(CodeToBinary(4100), "00000100");
  EXPECT_EQ(CodeToBinary(-1), "11111111");
  EXPECT_EQ(BinaryToCode(" 101x1 "), 5);
  EXPECT_EQ(BinaryToCode("\t1012"), 5);
  EXPECT_EQ(BinaryToCode(""), 0);
  EXPECT_EQ(BinaryToCode("x101"), 0);
  EXPECT_EQ(BinaryToCode(std::string(80, '1')) & 255, 255) << "long texts keep their low bits";

  TPametRevazie document;
  auto sequence = MakeSequence(5);
  EXPECT_EQ(TriggerText(document, *sequence), "00000101");
  sequence->Bit = 12;
  EXPECT_EQ(TriggerText(document, *sequence), "Bit 12");
  sequence->Pin = 2;
  EXPECT_EQ(TriggerText(document, *sequence), "ALARM, Bit 12");
}

TEST(DilPatternTest, SwitchesMatchAndConvert) {
  // All four simulated switches ON: S = 0x78.
  EXPECT_TRUE(DilPatternMatches(0x0808, 0x78));
  EXPECT_FALSE(DilPatternMatches(0x0800, 0x78));
  EXPECT_TRUE(DilPatternMatches(0x0000, 0x00));

  SwitchStates states{};
  states.fill(SwitchState::DoesNotMatter);
  states[3] = SwitchState::On;
  states[6] = SwitchState::Off;
  EXPECT_EQ(VratDIL(states), 0x4808);
  EXPECT_EQ(KresliDIL(0x4808), states);
  SwitchStates gray{};
  gray.fill(SwitchState::DoesNotMatter);
  EXPECT_EQ(KresliDIL(0), gray);
}

TEST(SilenceLengthTest, MillisecondsAndSamplesConvertBothWays) {
  EXPECT_EQ(SamplesFromMilliseconds(500), 7228);
  EXPECT_EQ(MillisecondsFromSamples(7228), 500);
  EXPECT_EQ(SamplesFromMilliseconds(1), 14);
  EXPECT_EQ(SamplesFromMilliseconds(10), 145);
  EXPECT_EQ(MillisecondsFromSamples(145), 10);
}

}  // namespace
}  // namespace liftvox::test
