#include <gtest/gtest.h>

#include <chrono>

#include "device/memory_transfer.h"
#include "image/image_file.h"
#include "sim/sim_fixture.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

// Whole runs through the real serial port to the simulator on a
// pseudo-terminal: every byte crosses a real line.

constexpr int64_t k64k = 65536;
const std::string kConfiguration = "[General]\r\nVersion=2.00\r\n";

ProgramImage ImageToProgram(const std::vector<uint8_t>& image, int pages, int interfaceNumber) {
  return ProgramImage{image, k64k, int64_t{pages} * 256, interfaceNumber};
}

TransferResult ProgramPages(SimLink& link, int pages) {
  return ProgramAnnouncer(link.session,
                          ImageToProgram(MakeImage(k64k, 256, pages, 1, ""), pages, 1),
                          link.prompter, link.observer);
}

TEST(TransferOverPtyTest, ProgramsReadsBackAndFindsTheConfiguration) {
  TempDir dir;
  const auto flash = dir / "flash.bin";
  const auto image = MakeImage(k64k, 256, 12, 5, kConfiguration);
  {
    SimLink link({"--interface", "5", "--flash", flash.string()});
    const auto result =
        ProgramAnnouncer(link.session, ImageToProgram(image, 12, 5), link.prompter, link.observer);
    EXPECT_EQ(result.outcome, TransferOutcome::Completed);
    EXPECT_EQ(result.pagesDone, 12);
    EXPECT_EQ(result.errors, 0);
    EXPECT_TRUE(link.prompter.shown.empty());
    EXPECT_TRUE(link.prompter.asked.empty());
    // Progress after pages 0 and 10, then the final count, then "Hotovo".
    const std::vector<std::string> expected = {"", "0B / 3072B", "2560B / 3072B", "3072B / 3072B",
                                               "Hotovo"};
    EXPECT_EQ(link.observer.progressTexts, expected);
    EXPECT_FALSE(result.closeDialog);
  }
  // The flash file persists: a new announcer on it reads back the same image.
  SimLink link({"--flash", flash.string()});
  std::vector<uint8_t> readBack(static_cast<size_t>(k64k + 1), 0);
  const auto whole = ReadWholeMemory(link.session, readBack, k64k, link.prompter, link.observer);
  EXPECT_EQ(whole.outcome, TransferOutcome::Completed);
  EXPECT_EQ(whole.bytesInUse, 3072);
  EXPECT_EQ(whole.pagesDone, 12);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 3072, readBack.begin()));

  std::vector<uint8_t> configOnly(static_cast<size_t>(k64k), 0);
  const auto config =
      ReadStoredConfiguration(link.session, configOnly, k64k, link.prompter, link.observer);
  EXPECT_EQ(config.outcome, TransferOutcome::Completed);
  // Block on page 1, record at 256 + 36, length 27: ends inside page 1.
  EXPECT_EQ(config.bytesInUse, 512);
  EXPECT_EQ(StoredConfigurationText(std::span(configOnly).first(512), 256), kConfiguration);
}

TEST(TransferOverPtyTest, LossyLineStillDeliversTheExactImage) {
  TempDir dir;
  const auto flash = dir / "flash.bin";
  const auto image = MakeImage(k64k, 256, 20, 1, kConfiguration);
  SimLink link(
      {"--drop-rate", "0.15", "--corrupt-rate", "0.15", "--seed", "7", "--flash", flash.string()});
  link.prompter.fallback = Answer::Yes;
  const auto result =
      ProgramAnnouncer(link.session, ImageToProgram(image, 20, 1), link.prompter, link.observer);
  ASSERT_EQ(result.outcome, TransferOutcome::Completed);
  EXPECT_GT(result.errors, 0);

  std::vector<uint8_t> readBack;
  const auto read = ReadWholeMemory(link.session, readBack, k64k, link.prompter, link.observer);
  ASSERT_EQ(read.bytesInUse, 20 * 256);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 20 * 256, readBack.begin()));
}

TEST(TransferOverPtyTest, DisconnectMidTransferEndsWithAnErrorInBoundedTime) {
  SimLink link({"--disconnect-after-pages", "5"});
  const auto start = std::chrono::steady_clock::now();
  const auto result = ProgramPages(link, 40);
  EXPECT_EQ(result.outcome, TransferOutcome::Abandoned);
  EXPECT_EQ(result.pagesDone, 5);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace liftvox::test
