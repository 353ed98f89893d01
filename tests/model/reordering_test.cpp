// Operations that renumber codes or reorder samples and DIL entries.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

TEST(FloorCodingTest, GrayThenInversionFromTheStart) {
  struct Case {
    FloorCoding coding;
    std::vector<int> codes;  // floor positions 0..7
  };
  const Case cases[] = {
      {{}, {0, 1, 2, 3, 4, 5, 6, 7}},
      {{.gray = true}, {0, 1, 3, 2, 6, 7, 5, 4}},
      {{.inverted = true}, {255, 254, 253, 252, 251, 250, 249, 248}},
      // Gray first, then every bit flipped: flipping first would differ in bit 7.
      {{.gray = true, .inverted = true}, {255, 254, 252, 253, 249, 248, 250, 251}},
      {{.gray = true, .inverted = true, .floorStart = 5}, {248, 250, 251, 243, 242, 240, 241, 245}},
      {{.floorStart = 250}, {250, 251, 252, 253, 254, 255, 0, 1}},  // wraps after 255
  };
  for (const Case& c : cases) {
    std::vector<int> codes;
    for (int n = 0; n < 8; ++n) codes.push_back(Zakoduj(c.coding, n));
    EXPECT_EQ(codes, c.codes) << c.coding.gray << c.coding.inverted << c.coding.floorStart;
  }
  EXPECT_EQ(GrayCode(255), 128);
  EXPECT_EQ(ZakodujSpec(FloorCoding{.gray = true, .specialStart = 128}, 1), GrayCode(129));
}

TEST(FloorCodingTest, ApplyRenumbersFloorsThenFreeSpecialCodes) {
  TPametRevazie document;
  document.AddSequence(MakeSequence(7));                // code-triggered
  document.AddSequence(MakeSequence(4096, false, 3));   // on an input: keeps its code
  document.AddSequence(MakeSequence(9, false, 0, 12));  // on a serial bit: renumbered
  document.AddSequence(MakeSequence(3));
  for (int i = 0; i < 3; ++i) document.AddSequence(MakeSequence(50 + i, true));
  document.SequenceAt(5)->Code = 129;  // will become floor code 1 anyway

  ApplyFloorCoding(document, FloorCoding{});
  EXPECT_THAT(Codes(document), ElementsAre(128, 4096, 129, 130, 0, 1, 2));

  // A floor already holding 129 pushes the special sequences past it.
  ApplyFloorCoding(document, FloorCoding{.floorStart = 128});
  EXPECT_THAT(Codes(document), ElementsAre(131, 4096, 132, 133, 128, 129, 130));
}

TEST(LanguageOrderTest, SilenceStaysBetweenLanguagesAndUnknownLanguagesSortFirst) {
  TPametRevazie document;
  TSekvence* sequence = document.AddSequence(MakeSequence(0));
  document.AppendSample(sequence, MakeWav("A1", 0));
  document.AppendSample(sequence, MakeWav("A2", 0));
  document.AppendSample(sequence, MakeSilence(7228, 5));
  document.AppendSample(sequence, MakeWav("B1", 1));

  ApplyLanguageOrder(document, {1, 0});
  EXPECT_THAT(Names(*sequence), ElementsAre("B1", "-0", "A1", "A2"));
  EXPECT_EQ(sequence->SampleAt(1)->Left, 112 + 103);

  // Same order again: silences only take the language that follows them.
  document.AppendSample(sequence, MakeSilence(100, 0));
  ApplyLanguageOrder(document, {1, 0});
  EXPECT_THAT(Names(*sequence), ElementsAre("B1", "-0", "A1", "A2", "-0"));

  // Languages the order does not name sort first.
  TSekvence* unknown = document.AddSequence(MakeSequence(1));
  for (auto [name, dil] : {std::pair{"B", 1}, {"X", 7}, {"A", 0}})
    document.AppendSample(unknown, MakeWav(name, dil));
  SeradJazyky(*unknown, {0, 1});
  EXPECT_THAT(Names(*unknown), ElementsAre("X", "A", "B"));
}

TEST(SilenceBetweenLanguagesTest, InsertsOnceAndResetsOnRepeat) {
  TPametRevazie document;
  TSekvence* sequence = document.AddSequence(MakeSequence(0));
  for (auto [name, dil] : {std::pair{"CZ1", 0}, {"CZ2", 0}, {"EN1", 1}, {"EN2", 1}})
    document.AppendSample(sequence, MakeWav(name, dil));
  TSekvence* single = document.AddSequence(MakeSequence(1));
  document.AppendSample(single, MakeWav("S", 3));

  InsertSilenceBetweenLanguages(document, 500);
  EXPECT_THAT(Names(*sequence), ElementsAre("CZ1", "CZ2", "-1", "EN1", "EN2"));
  EXPECT_EQ(sequence->SampleAt(2)->Samples, 7228);
  EXPECT_EQ(sequence->SampleAt(4)->Left, 112 + 4 * 103);
  EXPECT_EQ(single->SampleCount(), 1);

  InsertSilenceBetweenLanguages(document, 250);
  EXPECT_THAT(Names(*sequence), ElementsAre("CZ1", "CZ2", "-1", "EN1", "EN2"));
  EXPECT_EQ(sequence->SampleAt(2)->Samples, 3614);
}

TEST(DilListTest, RemovalsAndMovesRepointTheSamples) {
  struct Case {
    std::function<void(TPametRevazie&)> edit;
    std::string entries;        // entry names in order
    std::vector<int32_t> dils;  // of the samples that were on A, B, C, D
  };
  const Case cases[] = {
      {[](auto& d) { DeleteDilEntry(d, 2); }, "ABD", {0, 1, 0, 2}},
      {[](auto& d) { DeleteDilEntry(d, 7); }, "ABCD", {0, 1, 2, 3}},
      {[](auto& d) { MoveDilEntry(d, 0, 2); }, "BCAD", {2, 0, 1, 3}},
      {[](auto& d) { MoveDilEntry(d, 2, 0); }, "CABD", {1, 2, 0, 3}},
      {[](auto& d) { MoveDilEntry(d, 3, 2); }, "ABDC", {0, 1, 3, 2}},
  };
  for (const Case& c : cases) {
    TPametRevazie document;
    document.DilEntries = {{"A", 0, 0}, {"B", 0, 0}, {"C", 0, 0}, {"D", 0, 0}};
    TSekvence* sequence = document.AddSequence(MakeSequence(0));
    for (int dil = 0; dil < 4; ++dil) document.AppendSample(sequence, MakeWav("x", dil));
    c.edit(document);
    std::string entries;
    for (const DilEntry& entry : document.DilEntries) entries += entry.Name;
    std::vector<int32_t> dils;
    for (const auto& sample : sequence->SampleList) dils.push_back(sample->DIL);
    EXPECT_EQ(entries, c.entries);
    EXPECT_EQ(dils, c.dils) << c.entries;
  }
}

TEST(DilListTest, TheLastEntryCanGoAndMissingEntriesMeanTheFirst) {
  TPametRevazie document;
  TSekvence* only = document.AddSequence(MakeSequence(0));
  document.AppendSample(only, MakeWav("x", 0));
  EXPECT_EQ(document.DilEntryFor(99), &document.DilEntries[0]) << "past the end means entry 0";
  DeleteDilEntry(document, 0);
  EXPECT_TRUE(document.DilEntries.empty());
  EXPECT_EQ(only->SampleAt(0)->DIL, 0);
  EXPECT_EQ(document.DilEntryFor(0), nullptr);
  EXPECT_EQ(document.DilEntries[static_cast<std::size_t>(AddDilEntry(document))].Name, "Nastavení");
}

}  // namespace
}  // namespace liftvox::test
