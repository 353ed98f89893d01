#include "device/memory_transfer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "device/line_rig.h"
#include "image/image_file.h"

namespace liftvox::test {
namespace {

constexpr int64_t k64k = 65536;

// `image` with `pages` used pages, for a 64 kB memory and interface 1.
ProgramImage ImageOf(const std::vector<uint8_t>& image, int pages) {
  return ProgramImage{image, k64k, int64_t{pages} * 256, 1};
}

TransferResult Program(LineRig& rig, int pages) {
  const auto image = MakeImage(k64k, 256, pages, 1, "[General]\r\n");
  return ProgramAnnouncer(rig.session, ImageOf(image, pages), rig.prompter, rig.observer);
}

std::vector<std::string> Keys(const std::vector<Message>& messages) {
  std::vector<std::string> keys;
  for (const auto& message : messages) keys.push_back(message.key);
  return keys;
}

TEST(ProgramAnnouncerTest, PreChecksRefuseBeforeAnyPageIsSent) {
  using enum TransferOutcome;
  const struct {
    sim::AnnouncerIdentity identity;  // 64 kB, firmware 3.4, interface 1 unless stated
    int silentFirst;
    TransferOutcome outcome;
    std::vector<std::string> shown, asked;
    bool closesDialog;  // a refusal the user has read closes the dialog
  } cases[] = {
      {{}, 1000, NoAnnouncer, {"SpeakerNotDetected"}, {}, false},
      {{.memoryCode = 1}, 0, MemorySizeMismatch, {"DataForMemory"}, {}, false},
      {{.firmwareMinor = 3}, 0, OldFirmware, {"OldFW"}, {}, true},
      {{.firmwareMajor = 2, .firmwareMinor = 9}, 0, OldFirmware, {"OldFW"}, {}, true},
      {{.interfaceNumber = 5}, 0, InterfaceDeclined, {}, {"DifferentInterface"}, true},
      {{}, 0, Completed, {}, {}, false},
      {{.firmwareMajor = 4, .firmwareMinor = 0}, 0, Completed, {}, {}, false},
  };
  for (const auto& c : cases) {
    LineRig rig(c.identity, {.silentFirst = c.silentFirst});
    const auto result = Program(rig, 3);
    EXPECT_EQ(result.outcome, c.outcome) << c.identity.firmwareMajor << c.identity.firmwareMinor;
    EXPECT_EQ(Keys(rig.prompter.shown), c.shown);
    EXPECT_EQ(Keys(rig.prompter.asked), c.asked);
    EXPECT_EQ(rig.line.announcer.PagesTransferred(), result.pagesDone);
    EXPECT_EQ(result.pagesDone, c.outcome == Completed ? 3 : 0);
    EXPECT_EQ(result.closeDialog, c.closesDialog);
    EXPECT_EQ(rig.observer.progressTexts.back(), "Hotovo");
  }
  LineRig rig({.memoryCode = 1});
  Program(rig, 3);
  ASSERT_EQ(rig.prompter.shown.size(), 1u);
  EXPECT_EQ(rig.prompter.shown[0].text,
            "Data byla sestavena pro paměť 65536. Paměť není možno naprogramovat!");
  EXPECT_EQ(rig.prompter.shown[0].caption, "Programování paměti hlásiče");

  LineRig serial({.interfaceNumber = 5});
  serial.prompter.answers = {Answer::Yes};
  EXPECT_EQ(Program(serial, 3).outcome, TransferOutcome::Completed);
  ASSERT_EQ(serial.prompter.asked.size(), 1u);
  EXPECT_EQ(serial.prompter.asked[0].text,
            "V hlásiči je nastaveno rozhraní \"Sériové\". Pokoušíte se nastavit rozhraní "
            "\"Paralelní\". Přejete si pokračovat?");
}

// Progress after every tenth page and once at the end, in bytes of the page
// size and in whole percents; then "Hotovo".
TEST(ProgramAnnouncerTest, ProgressCountsPagesInBytesOfThePageSize) {
  const struct {
    int pages;
    std::vector<std::string> texts;
    std::vector<int> percents;
  } cases[] = {
      {1, {"", "0B / 256B", "256B / 256B", "Hotovo"}, {0, 0, 100, 100}},
      {12, {"", "0B / 3072B", "2560B / 3072B", "3072B / 3072B", "Hotovo"}, {0, 0, 83, 100, 100}},
      {21,
       {"", "0B / 5376B", "2560B / 5376B", "5120B / 5376B", "5376B / 5376B", "Hotovo"},
       {0, 0, 47, 95, 100, 100}},
  };
  for (const auto& c : cases) {
    LineRig rig;
    EXPECT_EQ(Program(rig, c.pages).pagesDone, c.pages);
    EXPECT_EQ(rig.observer.progressTexts, c.texts) << c.pages;
    EXPECT_EQ(rig.observer.percents, c.percents) << c.pages;
  }
}

// The last page of an image that ends inside it goes out filled up with
// 0xFF, not with what an earlier page left in the buffer.
TEST(ProgramAnnouncerTest, ShortLastPageArrivesPaddedWithErasedBytes) {
  LineRig rig({}, {}, 0x00);
  const std::vector<uint8_t> image(2 * 256 + 44, 0x11);
  ASSERT_EQ(ProgramAnnouncer(rig.session, ImageOf(image, 3), rig.prompter, rig.observer).outcome,
            TransferOutcome::Completed);
  const auto& flash = rig.line.announcer.Flash();
  EXPECT_TRUE(std::equal(image.begin(), image.end(), flash.begin()));
  EXPECT_TRUE(
      std::all_of(flash.begin() + 556, flash.begin() + 768, [](uint8_t b) { return b == 0xFF; }));
  EXPECT_EQ(flash[768], 0x00);
}

// Verifying counts what the flash holds: worn cells, never a page that was
// damaged on the line (its sum fails and the read-back's retry reads it again).
// An answer that comes after the PC gave up on it is read in place of the next
// 'W'; the zeros that pad that failed attempt then meet an announcer that did
// take the command, and land in page 0, which no sum covers any more: so a run
// that needed a retry is verified, asked to or not.
TEST(ProgramAnnouncerTest, VerifyFindsWhatNoSumCoversNotPagesDamagedOnTheLine) {
  LineRig rig({}, {.corruptRate = 0.5, .wornCells = {700, 300}});
  const auto image = MakeImage(k64k, 256, 4, 1, "");
  const auto result = ProgramAnnouncer(rig.session, ImageOf(image, 4), rig.prompter, rig.observer,
                                       {.verify = true});
  EXPECT_EQ(result.outcome, TransferOutcome::VerifyFailed);
  ASSERT_TRUE(result.mismatch);
  EXPECT_EQ(result.mismatch->firstAddress, 300);
  EXPECT_EQ(result.mismatch->firstPage, 1);
  EXPECT_EQ(result.mismatch->differingBytes, 2);
  EXPECT_GT(result.errors, 0);
  EXPECT_EQ(Keys(rig.prompter.shown), std::vector<std::string>{"VerifyFailed"});

  LineRig late;
  late.line.lateAnswerAfterPages = 2;  // the sum of page 1
  const auto unasked =
      ProgramAnnouncer(late.session, ImageOf(image, 4), late.prompter, late.observer);
  ASSERT_EQ(unasked.outcome, TransferOutcome::VerifyFailed);
  EXPECT_EQ(unasked.mismatch->firstPage, 0);
}

TEST(ProgramAnnouncerTest, EveryFifthRetryAsksAndNoAbandonsTheTransfer) {
  LineRig rig({}, {.corruptRate = 1});
  rig.prompter.answers = {Answer::Yes, Answer::No};
  const auto result = Program(rig, 3);
  EXPECT_EQ(result.outcome, TransferOutcome::Abandoned);
  // Asked before the sixth and the eleventh attempt of page 0.
  EXPECT_EQ(Keys(rig.prompter.asked),
            (std::vector<std::string>{"CommunicationError", "CommunicationError"}));
  EXPECT_EQ(rig.prompter.asked[0].text, "Chyba komunikace! Pokračovat v přenosu?");
  EXPECT_EQ(result.errors, 9);
  EXPECT_EQ(result.pagesDone, 0);
  // Reset to 0, then 1 as the second attempt starts, up to 9.
  const std::vector<int> counts = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_EQ(rig.observer.errorCounts, counts);
  EXPECT_EQ(rig.line.announcer.PagesTransferred(), 10);
}

// The record's length counts its text only, so a text ending on a page
// boundary leaves the record's last four bytes in the page after. An image
// without a configuration reads as zero bytes.
TEST(ReadStoredConfigurationTest, ReadsUpToThePageTheRecordEndsIn) {
  const std::string reachingPage2(512 - (256 + 36) - 1, 'x');  // text and zero end at 512
  for (const std::string& configuration : {reachingPage2, std::string()}) {
    LineRig rig;
    const auto toProgram = MakeImage(k64k, 256, 3, 1, configuration);
    ASSERT_EQ(
        ProgramAnnouncer(rig.session, ImageOf(toProgram, 3), rig.prompter, rig.observer).outcome,
        TransferOutcome::Completed);
    std::vector<uint8_t> image(k64k, 0x00);
    const auto result =
        ReadStoredConfiguration(rig.session, image, k64k, rig.prompter, rig.observer);
    EXPECT_EQ(result.bytesInUse, configuration.empty() ? 0 : 512);
    EXPECT_EQ(StoredConfigurationText(image, 256).value_or(""), configuration);
  }
}

// Each run on a 64 kB announcer holding a 12-page image with a configuration,
// and the page exchanges it makes up to the end of its first loop page.
struct RunCase {
  const char* name;
  std::function<TransferResult(LineRig&)> start;
  int pagesToFirstLoopPage;
};

std::vector<RunCase> Runs() {
  return {
      {"program", [](LineRig& rig) { return Program(rig, 12); }, 1},
      {"read memory",
       [](LineRig& rig) {
         std::vector<uint8_t> image;
         return ReadWholeMemory(rig.session, image, k64k, rig.prompter, rig.observer);
       },
       1},
      // Page 0 and the configuration's page come before the loop.
      {"read configuration",
       [](LineRig& rig) {
         std::vector<uint8_t> image;
         return ReadStoredConfiguration(rig.session, image, k64k, rig.prompter, rig.observer);
       },
       3},
  };
}

// Programs the image the runs meet, then forgets what that showed.
void PutImage(LineRig& rig) {
  ASSERT_EQ(Program(rig, 12).outcome, TransferOutcome::Completed);
  rig.prompter = {};
  rig.observer = {};
}

TEST(DeviceRunTest, StopEndsTheRunAfterTheCurrentPage) {
  for (const auto& run : Runs()) {
    LineRig rig;
    PutImage(rig);
    const int before = rig.line.announcer.PagesTransferred();
    rig.observer.stopWhen = [&] { return rig.line.announcer.PagesTransferred() > before; };
    const auto result = run.start(rig);
    EXPECT_EQ(result.outcome, TransferOutcome::Stopped) << run.name;
    EXPECT_EQ(rig.line.announcer.PagesTransferred(), before + run.pagesToFirstLoopPage) << run.name;
    EXPECT_TRUE(result.closeDialog);
    EXPECT_LE(result.bytesInUse, 0);
  }
}

// On a line that has gone dead every attempt fails only after its read
// time-outs; a stop asked for during the first one ends the run at the
// latest after the next, with no question.
TEST(DeviceRunTest, StopOnADeadLineEndsTheRunWithinOneMoreAttempt) {
  constexpr int kReadsPerAttempt = 6;
  for (const auto& run : Runs()) {
    LineRig rig;
    PutImage(rig);
    rig.line.pagesBeforeDeath = rig.line.announcer.PagesTransferred() + 1;
    rig.observer.stopWhen = [&] { return rig.line.deadReads >= kReadsPerAttempt; };
    const auto result = run.start(rig);
    EXPECT_EQ(result.outcome, TransferOutcome::Stopped) << run.name;
    EXPECT_GE(rig.line.deadReads, kReadsPerAttempt) << run.name;
    EXPECT_LE(rig.line.deadReads, 2 * kReadsPerAttempt) << run.name;
    EXPECT_TRUE(rig.prompter.asked.empty()) << run.name;
  }
}

}  // namespace
}  // namespace liftvox::test
