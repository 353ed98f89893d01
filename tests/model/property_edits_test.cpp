// What the property dialogs check and store: trigger uniqueness in the order
// the user is told, a floor losing its input and bit, and the DIL entry edits.
#include <gtest/gtest.h>

#include "model/dil_list.h"
#include "model/names.h"
#include "model/property_edits.h"
#include "model_fixture.h"

namespace liftvox::test {
namespace {

TEST(TriggerConflictTest, FirstFailureInTheOrderTheUserIsTold) {
  TPametRevazie document;
  AddNamed(document, "alarm", 5, 2);     // on input 2, but its code is 5
  AddNamed(document, "first 0", 0);      // code-triggered, code 0
  AddNamed(document, "second 0", 0);     // the same code again
  AddNamed(document, "bit 9", 7, 0, 9);  // on serial bit 9
  AddNamed(document, "code 5", 5);       // code-triggered, code 5
  TSekvence* edited = AddNamed(document, "edited", 40);

  struct Case {
    const char* what;
    int edited;  // index of the sequence being edited
    int32_t code, pin, bit;
    std::optional<TriggerKind> kind;
    const char* holder;
  };
  const Case cases[] = {
      {"a code another holds", 5, 0, 0, 0, TriggerKind::Code, "first 0"},
      {"named by the first sequence with the code, whatever its triggers", 5, 5, 0, 0,
       TriggerKind::Code, "alarm"},
      {"the first holder is the edited one: a later holder is not asked", 1, 0, 0, 0, {}, ""},
      {"the second of two code-0 sequences is refused", 2, 0, 0, 0, TriggerKind::Code, "first 0"},
      {"an input leaves the code unchecked", 5, 0, 3, 0, {}, ""},
      {"an input taken", 5, 0, 2, 0, TriggerKind::Pin, "alarm"},
      {"a bit taken", 5, 0, 0, 9, TriggerKind::Bit, "bit 9"},
      // Sequence by sequence: "alarm" stands first, so its pin is told first.
      {"pin and bit taken", 5, 0, 2, 9, TriggerKind::Pin, "alarm"},
      {"keeping its own input", 0, 0, 2, 0, {}, ""},
      {"keeping its own bit", 3, 0, 0, 9, {}, ""},
  };
  for (const Case& c : cases) {
    const auto conflict =
        FindTriggerConflict(document, *document.SequenceAt(c.edited), c.code, c.pin, c.bit);
    ASSERT_EQ(conflict.has_value(), c.kind.has_value()) << c.what;
    if (!conflict) continue;
    EXPECT_EQ(conflict->kind, *c.kind) << c.what;
    EXPECT_EQ(conflict->holder, c.holder) << c.what;
  }
  // The bit is checked before the next sequence's pin.
  AddNamed(document, "pin 4", 0, 4);
  const auto conflict = FindTriggerConflict(document, *edited, 0, 4, 9);
  ASSERT_TRUE(conflict);
  EXPECT_EQ(conflict->kind, TriggerKind::Bit);
}

// A name keeps to one line of its file: each run of controls (C0, DEL, C1)
// is one blank; a DIL entry's name also loses what its key cannot hold.
TEST(NamesTest, ControlRunsBecomeOneBlank) {
  const std::pair<std::string, std::string> names[] = {{"a\x01\x02z", "a z"},
                                                       {"a\x7Fz", "a z"},
                                                       {"a\xC2\x80\xC2\x9Fz", "a z"},
                                                       {"a\xC2\xA0z", "a\xC2\xA0z"},
                                                       {"\tx\r\n", " x "}};
  for (const auto& [raw, clean] : names) EXPECT_EQ(CleanSequenceName(raw), clean) << raw;
  EXPECT_EQ(CleanDilEntryName(" [;x=y\t "), "x-y");
}

TEST(PropertyEditsTest, FloorsLoseInputBitAndSerialInversionOnly) {
  TPametRevazie document;
  TSekvence* floor = AddNamed(document, "floor", 3, 4, 12, true);
  floor->InvSerBit = true;
  floor->InvParBit = true;
  TSekvence* general = AddNamed(document, "general", 3, 4, 13);
  document.SetModified(false);
  DropFloorTriggers(document, *general);
  EXPECT_FALSE(document.IsModified());
  DropFloorTriggers(document, *floor);
  EXPECT_EQ(floor->Pin, 0);
  EXPECT_EQ(floor->Bit, 0);
  EXPECT_FALSE(floor->InvSerBit);
  EXPECT_TRUE(floor->InvParBit);
  EXPECT_EQ(floor->Code, 3);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(general->Bit, 13);
}

TEST(PropertyEditsTest, StoredOnlyWhenSomethingChanges) {
  TPametRevazie document;
  TSekvence* sequence = AddNamed(document, "a", 3);
  document.SetModified(false);
  SequenceProperties same{.name = "a", .code = 3};
  StoreSequenceProperties(document, *sequence, same);
  EXPECT_FALSE(document.IsModified());
  StoreSequenceProperties(document, *sequence, {.name = "two\nlines", .code = 3, .repeat = 10});
  EXPECT_EQ(sequence->Name, "two lines");
  EXPECT_EQ(sequence->Repeat, 10);
  EXPECT_TRUE(document.IsModified());

  document.SetModified(false);
  document.DilEntries = {{"A", 0, 0}};
  RenameDilEntry(document, 0, "A");
  SetDilEntryPattern(document, 0, 0);
  EXPECT_FALSE(document.IsModified());
  RenameDilEntry(document, 0, " [x=y ");
  SetDilEntryPattern(document, 0, 0x4808);
  SetDilEntryIcon(document, 3, 2);  // no entry 3: nothing
  EXPECT_EQ(document.DilEntries[0], (DilEntry{"x-y", 0, 0x4808}));
  EXPECT_TRUE(document.IsModified());
}

}  // namespace
}  // namespace liftvox::test
