#include "image/image_contents.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace liftvox::test {
namespace {

using ::testing::ElementsAre;

// A 64 kB image (pages of 256 bytes) laid out by hand: the parameter block on
// page 1 with no configuration, used up to page 16.
class HandImage {
 public:
  HandImage() {
    Put16(0, 1);   // DataStartPage
    Put16(2, 16);  // EndPage
    Put16(256, 36);
    for (int i = 0; i < 4; ++i) bytes[256 + 36 + i] = 0;
  }
  void Entry(int index, uint16_t listOffset) {
    Put16(4 + 4 * index, listOffset);
    bytes[6 + 4 * index] = 0;
    bytes[7 + 4 * index] = static_cast<uint8_t>(index);
  }
  void Record(std::size_t at, uint16_t page, uint32_t length, uint8_t type = 2) {
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), 16, 0);
    Put16(at, page);
    for (int i = 0; i < 4; ++i) bytes[at + 2 + i] = static_cast<uint8_t>(length >> (8 * i));
    bytes[at + 8] = type;
  }
  InspectedImage Inspect() const { return InspectImage(bytes, 0); }

  std::vector<uint8_t> bytes = std::vector<uint8_t>(16 * 256, 0xFF);

 private:
  void Put16(std::size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
  }
};

TEST(ImageContentsTest, EntriesThatShareAListShareItsRecords) {
  HandImage hand;
  // Two entries on one list, one starting inside it, one on a list of its
  // own; the directory (four slots) ends where the first list starts.
  hand.Entry(0, 32);
  hand.Entry(1, 96);
  hand.Entry(2, 48);
  hand.Entry(3, 32);
  hand.Record(32, 2, 10);
  hand.Record(48, 3, 10);
  hand.Record(64, 4, 10);
  hand.Record(96, 5, 10);
  const InspectedImage image = hand.Inspect();
  ASSERT_EQ(image.records.size(), 4u) << "each record once";
  ASSERT_EQ(image.entries.size(), 4u);
  const auto pages = [&image](const InspectedEntry& entry) {
    std::vector<uint32_t> found;
    for (const auto& record : image.RecordsOf(entry)) found.push_back(record.page);
    return found;
  };
  EXPECT_THAT(pages(image.entries[0]), ElementsAre(2, 3, 4));
  EXPECT_THAT(pages(image.entries[1]), ElementsAre(5));
  EXPECT_THAT(pages(image.entries[2]), ElementsAre(3, 4));
  EXPECT_THAT(pages(image.entries[3]), ElementsAre(2, 3, 4));
}

TEST(ImageContentsTest, ListsThatNoBuildWritesHaveNoRecords) {
  HandImage hand;
  hand.Entry(0, 32);   // a good, empty list
  hand.Entry(1, 40);   // not on a record
  hand.Entry(2, 16);   // inside the directory
  hand.Entry(3, 240);  // runs into the parameter block
  hand.Record(240, 2, 10);
  const InspectedImage image = hand.Inspect();
  ASSERT_EQ(image.entries.size(), 4u);
  EXPECT_EQ(image.entries[0].problem, ListProblem::None);
  EXPECT_EQ(image.entries[1].problem, ListProblem::NotOnRecordBoundary);
  EXPECT_EQ(image.entries[2].problem, ListProblem::OutsideLists);
  EXPECT_EQ(image.entries[3].problem, ListProblem::NoEnd);
  for (const auto& entry : image.entries) EXPECT_EQ(entry.recordCount, 0u);
}

TEST(ImageContentsTest, RecordsWhoseDataNoBuildWritesAreMarkedAndNotExtracted) {
  HandImage hand;
  hand.Entry(0, 16);
  const struct {
    uint16_t page;
    uint32_t length;
    uint8_t type;
    RecordProblem problem;
  } records[] = {
      {2, 100, 2, RecordProblem::None},  // bytes 512..561
      {2, 100, 2, RecordProblem::None},  // the same recording stored once
      {3, 600, 2, RecordProblem::Overlaps},
      {4, 10, 2, RecordProblem::Overlaps},  // inside the one before
      {1, 10, 2, RecordProblem::InHeader},
      {15, 513, 2, RecordProblem::PastUsedMemory},  // 257 bytes from 3840: one too many
      {14, 512, 2, RecordProblem::None},            // ends where the next one starts
      {15, 512, 2, RecordProblem::None},            // ends exactly at the used end
      {9, 10, 5, RecordProblem::UnknownType},
      {0, 7228, 3, RecordProblem::None},  // silence has no data
  };
  for (std::size_t i = 0; i < std::size(records); ++i)
    hand.Record(16 + 16 * i, records[i].page, records[i].length, records[i].type);
  const InspectedImage image = hand.Inspect();
  ASSERT_EQ(image.records.size(), std::size(records));
  for (std::size_t i = 0; i < std::size(records); ++i)
    EXPECT_EQ(image.records[i].problem, records[i].problem) << "record " << i;
  EXPECT_THAT(
      RecordingsToExtract(image),
      ElementsAre(StoredRecording{2, 100}, StoredRecording{14, 512}, StoredRecording{15, 512}));
}

}  // namespace
}  // namespace liftvox::test
