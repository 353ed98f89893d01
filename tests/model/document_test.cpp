#include "model/document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "model/editing.h"
#include "model/trigger_text.h"
#include "model_fixture.h"

namespace liftvox::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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
  EXPECT_EQ(document.SequenceAt(0)->Name, "Výtah jede nahoru");
  EXPECT_EQ(document.SequenceAt(7)->Name, "Přízemí");
  EXPECT_TRUE(document.SequenceAt(7)->Floor);
  EXPECT_TRUE(document.SequenceAt(0)->Selected);
  EXPECT_FALSE(document.IsModified());
}

TEST(NextCodeTest, NewSequencesTakeTheCodeAfterTheirKindElseTheLowestFree) {
  struct Case {
    const char* why;
    std::vector<std::array<int32_t, 4>> sequences;  // code, floor, pin, bit
    int32_t general, floor;
  };
  std::vector<std::array<int32_t, 4>> full;
  for (int code = 0; code < 256; ++code) full.push_back({code, 1, 0, 0});
  const Case cases[] = {
      {"empty", {}, 128, 0},
      {"128 taken and nothing above: lowest free", {{0, 1}, {128}}, 1, 1},
      {"one above the highest general code", {{0, 1}, {128}, {200}}, 201, 1},
      {"256 is no code", {{255}}, 0, 0},
      {"codes on an input or a bit do not count", {{200, 0, 3}, {201, 0, 0, 12}}, 128, 0},
      {"floors from 0", {{0, 1}, {1, 1}, {2, 1}}, 128, 3},
      {"floors from 5", {{5, 1}, {6, 1}}, 128, 7},
      {"floors from 10", {{10, 1}, {11, 1}, {12, 1}, {13, 1}}, 128, 14},
      {"a floor on a bit still counts", {{20, 1, 0, 12}}, 128, 21},
      {"the next floor code held by a general one", {{3, 1}, {4}}, 128, 0},
      {"every code taken: the candidate stays", full, 256, 256},
  };
  for (const Case& c : cases) {
    TPametRevazie document;
    for (auto [code, floor, pin, bit] : c.sequences)
      document.AddSequence(MakeSequence(code, floor != 0, pin, bit));
    EXPECT_EQ(document.NextGeneralCode(), c.general) << c.why;
    EXPECT_EQ(document.NextFloorCode(), c.floor) << c.why;
  }
}

TEST_F(DocumentTest, LimitsRefuseWithAMessageAndAMovedSampleStays) {
  for (int i = 0; i < kMaxSequences; ++i) ASSERT_NE(document.AddSequence(MakeSequence(i)), nullptr);
  EXPECT_EQ(document.AddSequence(MakeSequence(1)), nullptr);
  EXPECT_EQ(document.SequenceCount(), kMaxSequences);
  // The add commands stop silently before that point.
  EXPECT_EQ(AddGeneralSequence(document), nullptr);
  EXPECT_EQ(AddFloorSequence(document), nullptr);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Maximální počet sekvencí je 256.");

  TSekvence* full = document.SequenceAt(0);
  {
    auto batch = document.BeginBulkChange();
    for (int i = 0; i < kMaxSamplesPerSequence; ++i) document.AppendSample(full, MakeWav("x"));
  }
  TVzorek* stays = document.AppendSample(1, MakeWav("stays"));
  EXPECT_EQ(document.AppendSample(full, MakeWav("one too many")), nullptr);
  EXPECT_EQ(document.InsertSampleAtIndex(0, full, MakeWav("one too many")), nullptr);
  document.MoveSample(stays, 0, 0);
  EXPECT_EQ(full->SampleCount(), kMaxSamplesPerSequence);
  EXPECT_THAT(Names(*document.SequenceAt(1)), ElementsAre("stays"));
  ASSERT_EQ(prompter.shown.size(), 4u);
  EXPECT_EQ(prompter.shown[3].text, "Sekvence může obsahovat nejvýše 4094 hlášek.");

  document.MoveSample(full->SampleAt(0), 0, 9999);  // within the full sequence: allowed
  EXPECT_EQ(prompter.shown.size(), 4u);
  EXPECT_EQ(full->SampleAt(kMaxSamplesPerSequence - 1)->Left,
            112 + 103 * (kMaxSamplesPerSequence - 1));
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
  document.MoveSample(a, 1, 0);
  EXPECT_EQ(a->Sequence, document.SequenceAt(1));
  EXPECT_EQ(a->Top, 48);
  EXPECT_EQ(b->Left, 112) << "the sample left behind moves up";

  document.CurrentSample = b;
  document.DeleteSample(b);
  EXPECT_EQ(document.CurrentSample, nullptr);
  document.DeleteSample(nullptr);
  document.DeleteSequence(nullptr);
  EXPECT_EQ(document.InsertSample(nullptr, 0, 0), nullptr);
  document.CurrentSample = a;
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

TEST_F(DocumentTest, BulkChangeTellsTheViewOnceWhenTheOutermostEnds) {
  NewConfiguration(document);
  RecordingView view;
  document.SetView(&view);
  document.SetImageStale(false);
  view.heard.clear();
  {
    auto batch = document.BeginBulkChange();
    {
      auto inner = document.BeginBulkChange();
      document.AppendSample(7, MakeWav("a"));
      document.AppendSample(7, MakeWav("b"));
    }
    EXPECT_THAT(view.heard, IsEmpty()) << "an inner guard reports nothing";
    EXPECT_EQ(document.GetSelectedSample()->FileName, "b") << "queries see the new selection";
    document.SetCurrentFileName("x.cfg");
    document.SetCurrentFileName("");  // back as it was: no report
    document.AppendSample(7, MakeWav("c"));
    EXPECT_THAT(view.heard, IsEmpty());
  }
  EXPECT_THAT(view.heard, ElementsAre("content 7", "selection", "modified 1", "stale 1"));
  const TSekvence& floor = *document.SequenceAt(7);
  EXPECT_EQ(floor.SampleAt(2)->Left, 112 + 2 * 103) << "laid out when the guard ends";
  EXPECT_TRUE(floor.SampleAt(2)->Selected);
  EXPECT_FALSE(floor.SampleAt(1)->Selected);

  view.heard.clear();
  {
    auto batch = document.BeginBulkChange();
    document.AppendSample(0, MakeWav("d"));
    document.AppendSample(7, MakeWav("e"));
    document.DeleteSample(document.GetSelectedSample());
    EXPECT_EQ(document.GetSelectedSample(), nullptr) << "the held selection goes with it";
  }
  EXPECT_THAT(view.heard, ElementsAre("content all", "selection"));
  EXPECT_EQ(document.GetSelectedSample(), nullptr);
  EXPECT_EQ(document.GetSelectedSequence(), document.SequenceAt(7));
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
  EXPECT_EQ(PinInputName(document, 7), "UNIV");
  EXPECT_EQ(PinInputName(document, 8), "");
}

TEST(SilenceLengthTest, MillisecondsAndSamplesRoundToTheNearest) {
  const std::pair<int, int> samplesForMilliseconds[] = {
      {500, 7228}, {1, 14}, {4, 58}, {5, 72}, {10, 145}};
  for (auto [ms, samples] : samplesForMilliseconds)
    EXPECT_EQ(SamplesFromMilliseconds(ms), samples) << ms << " ms";
  const std::pair<int, int> millisecondsForSamples[] = {{7228, 500}, {145, 10}, {14, 1}, {7, 0},
                                                        {8, 1},      {15, 1},   {22, 2}};
  for (auto [samples, ms] : millisecondsForSamples)
    EXPECT_EQ(MillisecondsFromSamples(samples), ms) << samples << " samples";
}

}  // namespace
}  // namespace liftvox::test
