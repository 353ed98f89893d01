#include <gtest/gtest.h>

#include <chrono>

#include "device/memory_transfer.h"
#include "image/image_file.h"
#include "sim/sim_fixture.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

constexpr int64_t k64k = 65536;
const std::string kConfiguration = "[General]\r\nVersion=2.00\r\n";

ProgramImage ImageToProgram(const std::vector<uint8_t>& image, int pages, int interfaceNumber) {
  return ProgramImage{image, k64k, int64_t{pages} * 256, interfaceNumber};
}

// Programs a 64 kB image of `pages` used pages made for the parallel interface.
TransferResult ProgramPages(SimLink& link, int pages, RecordingObserver& observer) {
  return ProgramAnnouncer(*link.session,
                          ImageToProgram(MakeImage(k64k, 256, pages, 1, ""), pages, 1), observer);
}

TEST(MemoryTransferTest, ProgramsReadsBackAndFindsTheConfiguration) {
  TempDir dir;
  const auto flash = dir / "flash.bin";
  const auto image = MakeImage(k64k, 256, 12, 5, kConfiguration);
  {
    SimLink link({"--interface", "5", "--flash", flash.string()});
    RecordingObserver observer;
    const auto result = ProgramAnnouncer(*link.session, ImageToProgram(image, 12, 5), observer);
    EXPECT_EQ(result.outcome, TransferOutcome::Completed);
    EXPECT_EQ(result.pagesDone, 12);
    EXPECT_EQ(result.errors, 0);
    EXPECT_TRUE(observer.warnings.empty());
    EXPECT_TRUE(observer.questions.empty());
    // Progress after pages 0 and 10, then the final count, then "Hotovo".
    const std::vector<std::string> expected = {"", "0B / 3072B", "2560B / 3072B", "3072B / 3072B",
                                               "Hotovo"};
    EXPECT_EQ(observer.progressTexts, expected);
    EXPECT_FALSE(result.closeDialog);
  }
  // The flash file persists: a new announcer on it reads back the same image.
  SimLink link({"--flash", flash.string()});
  std::vector<uint8_t> readBack(static_cast<size_t>(k64k + 1), 0);
  RecordingObserver observer;
  const auto whole = ReadWholeMemory(*link.session, readBack, k64k, observer);
  EXPECT_EQ(whole.outcome, TransferOutcome::Completed);
  EXPECT_EQ(whole.bytesInUse, 3072);
  EXPECT_EQ(whole.pagesDone, 12);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 3072, readBack.begin()));
  EXPECT_EQ(StoredConfigurationText(std::span(readBack).first(3072), 256), kConfiguration);

  std::vector<uint8_t> configOnly(static_cast<size_t>(k64k), 0);
  RecordingObserver configObserver;
  const auto config = ReadStoredConfiguration(*link.session, configOnly, k64k, configObserver);
  EXPECT_EQ(config.outcome, TransferOutcome::Completed);
  // Block on page 1, record at 256 + 36, length 27: ends inside page 1.
  EXPECT_EQ(config.bytesInUse, 512);
  EXPECT_EQ(StoredConfigurationText(std::span(configOnly).first(512), 256), kConfiguration);
}

TEST(MemoryTransferTest, ConfigurationReadOfAnImageWithoutOneGivesZero) {
  SimLink link({});
  RecordingObserver observer;
  ASSERT_EQ(ProgramPages(link, 3, observer).outcome, TransferOutcome::Completed);
  std::vector<uint8_t> buffer;
  EXPECT_EQ(ReadStoredConfiguration(*link.session, buffer, k64k, observer).bytesInUse, 0);
}

TEST(MemoryTransferTest, PreChecksRefuseBeforeAnyPageIsSent) {
  {
    SimLink link({"--memory", "1"});
    RecordingObserver observer;
    const auto result = ProgramPages(link, 3, observer);
    EXPECT_EQ(result.outcome, TransferOutcome::MemorySizeMismatch);
    ASSERT_EQ(observer.warnings.size(), 1u);
    EXPECT_EQ(observer.warnings[0].text,
              "Data byla sestavena pro paměť 65536. Paměť není možno naprogramovat!");
    EXPECT_EQ(observer.warnings[0].caption, "Programování paměti hlásiče");
    EXPECT_EQ(result.pagesDone, 0);
  }
  for (const char* firmware : {"3.3", "2.9"}) {
    SimLink link({"--firmware", firmware});
    RecordingObserver observer;
    const auto result = ProgramPages(link, 3, observer);
    EXPECT_EQ(result.outcome, TransferOutcome::OldFirmware) << firmware;
    ASSERT_EQ(observer.warnings.size(), 1u);
    EXPECT_EQ(observer.warnings[0].key, "OldFW");
    EXPECT_TRUE(result.closeDialog);
  }
  {
    SimLink link({"--interface", "5"});
    RecordingObserver observer;
    const auto result = ProgramPages(link, 3, observer);
    EXPECT_EQ(result.outcome, TransferOutcome::InterfaceDeclined);
    ASSERT_EQ(observer.questions.size(), 1u);
    EXPECT_EQ(observer.questions[0].text,
              "V hlásiči je nastaveno rozhraní \"Sériové\". Pokoušíte se nastavit rozhraní "
              "\"Paralelní\". Přejete si pokračovat?");
    observer.answers = {Answer::Yes};
    EXPECT_EQ(ProgramPages(link, 3, observer).outcome, TransferOutcome::Completed);
  }
  {
    SimLink link({"--silent-first", "1000"});
    RecordingObserver observer;
    const auto result = ProgramPages(link, 3, observer);
    EXPECT_EQ(result.outcome, TransferOutcome::NoAnnouncer);
    ASSERT_EQ(observer.warnings.size(), 1u);
    EXPECT_EQ(observer.warnings[0].text, "Hlásič nebyl detekován!");
    EXPECT_EQ(observer.progressTexts.back(), "Hotovo");
  }
}

TEST(MemoryTransferTest, EveryFifthRetryAsksAndNoAbandonsTheTransfer) {
  SimLink link({"--corrupt-rate", "1"});
  RecordingObserver observer;
  observer.answers = {Answer::Yes, Answer::No};
  const auto result = ProgramPages(link, 3, observer);
  EXPECT_EQ(result.outcome, TransferOutcome::Abandoned);
  // Asked before the sixth and the eleventh attempt of page 0.
  ASSERT_EQ(observer.questions.size(), 2u);
  EXPECT_EQ(observer.questions[0].key, "CommunicationError");
  EXPECT_EQ(observer.questions[0].text, "Chyba komunikace! Pokračovat v přenosu?");
  EXPECT_EQ(result.errors, 9);
  EXPECT_EQ(result.pagesDone, 0);
  // Reset to 0, then 1 as the second attempt starts, up to 9.
  ASSERT_GE(observer.errorCounts.size(), 2u);
  EXPECT_EQ(observer.errorCounts[0], 0);
  EXPECT_EQ(observer.errorCounts[1], 1);
  EXPECT_EQ(observer.errorCounts.back(), 9);
}

TEST(MemoryTransferTest, LossyLineStillDeliversTheExactImage) {
  TempDir dir;
  const auto flash = dir / "flash.bin";
  const auto image = MakeImage(k64k, 256, 20, 1, kConfiguration);
  SimLink link(
      {"--drop-rate", "0.15", "--corrupt-rate", "0.15", "--seed", "7", "--flash", flash.string()});
  RecordingObserver observer;
  observer.fallback = Answer::Yes;
  const auto result = ProgramAnnouncer(*link.session, ImageToProgram(image, 20, 1), observer);
  ASSERT_EQ(result.outcome, TransferOutcome::Completed);
  EXPECT_GT(result.errors, 0);

  std::vector<uint8_t> readBack;
  const auto read = ReadWholeMemory(*link.session, readBack, k64k, observer);
  ASSERT_EQ(read.bytesInUse, 20 * 256);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 20 * 256, readBack.begin()));
}

TEST(MemoryTransferTest, StopEndsAfterTheCurrentPage) {
  SimLink link({});
  RecordingObserver observer;
  observer.stopAfterProgress = 2;  // the reset and the report after page 0
  const auto result = ProgramPages(link, 30, observer);
  EXPECT_EQ(result.outcome, TransferOutcome::Stopped);
  EXPECT_EQ(result.pagesDone, 1);
  EXPECT_TRUE(result.closeDialog);

  std::vector<uint8_t> buffer;
  RecordingObserver readObserver;
  readObserver.stopAfterProgress = 2;
  const auto read = ReadWholeMemory(*link.session, buffer, k64k, readObserver);
  EXPECT_EQ(read.outcome, TransferOutcome::Stopped);
  EXPECT_EQ(read.bytesInUse, 0);
  const auto config = ReadStoredConfiguration(*link.session, buffer, k64k, readObserver);
  EXPECT_EQ(config.bytesInUse, -1);
}

TEST(MemoryTransferTest, DisconnectMidTransferEndsWithAnErrorInBoundedTime) {
  SimLink link({"--disconnect-after-pages", "5"});
  RecordingObserver observer;
  observer.fallback = Answer::No;
  const auto start = std::chrono::steady_clock::now();
  const auto result = ProgramPages(link, 40, observer);
  EXPECT_EQ(result.outcome, TransferOutcome::Abandoned);
  EXPECT_EQ(result.pagesDone, 5);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(MemoryTransferTest, PacedAnnouncerIsNoFasterThanTheLine) {
  SimLink link({"--pace"});
  RecordingObserver observer;
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(ProgramPages(link, 4, observer).outcome, TransferOutcome::Completed);
  // Four pages of 256 bytes plus framing both ways: over 90 ms at 115200 baud.
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(90));
}

}  // namespace
}  // namespace liftvox::test
