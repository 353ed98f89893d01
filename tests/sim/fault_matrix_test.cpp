#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "device/memory_transfer.h"
#include "image/image_file.h"
#include "sim/sim_fixture.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

// Each kind of line fault the simulator injects, at a few strengths, against
// programming and both read-backs through the real serial port code. A run
// either leaves the exact bytes (in the flash, or read back) or ends with the
// message its fault calls for, and it always ends in bounded time.

constexpr int64_t k64k = 65536;
constexpr int kPageSize = 256;
constexpr int kPages = 8;
constexpr int kRetryBudget = 10;
constexpr auto kBound = std::chrono::seconds(60);

// The configuration text runs from page 1 into page 2.
const std::string kConfiguration = "[General]\r\nVersion=2.00\r\n" + std::string(380, 'x');

// Answers the retry question as the command line does: go on while the run
// has failed fewer than kRetryBudget attempts. Remembers every message key.
class RetryBudget final : public Prompter {
 public:
  explicit RetryBudget(const JobRecorder& observer) : observer_(observer) {}

  std::vector<std::string> keys;

  void Inform(const Message& m) override { keys.push_back(m.key); }
  void Warn(const Message& m) override { keys.push_back(m.key); }
  Answer AskYesNo(const Message& m) override {
    keys.push_back(m.key);
    const int errors = observer_.errorCounts.empty() ? 0 : observer_.errorCounts.back();
    return m.key == "CommunicationError" && errors < kRetryBudget ? Answer::Yes : Answer::No;
  }
  Answer AskYesNoCancel(const Message& m) override { return AskYesNo(m); }

 private:
  const JobRecorder& observer_;
};

struct FaultCase {
  std::string kind;
  std::string setting;
  std::vector<std::string> switches;  // liftvox-sim options
  std::string message;                // the message a run that gives up ends with
};

std::vector<FaultCase> Cases() {
  std::vector<FaultCase> cases;
  const std::pair<const char*, const char*> rates[] = {{"dropped answer", "--drop-rate"},
                                                       {"corrupted byte", "--corrupt-rate"},
                                                       {"wrong checksum", "--bad-sum-rate"},
                                                       {"garbage letter", "--garbage-rate"}};
  for (const auto& [kind, option] : rates) {
    for (const char* rate : {"0.1", "0.4", "0.8"}) {
      cases.push_back({kind, rate, {option, rate, "--seed", "11"}, "CommunicationError"});
    }
  }
  // The probe is sent once, so an announcer that ignores it is not there;
  // the information query behind a read-back is asked up to six times.
  for (const char* commands : {"1", "3", "7"}) {
    cases.push_back(
        {"silent first commands", commands, {"--silent-first", commands}, "SpeakerNotDetected"});
  }
  for (const char* pages : {"0", "1", "5"}) {
    cases.push_back({"disconnect after pages",
                     pages,
                     {"--disconnect-after-pages", pages},
                     pages == std::string("0") ? "SpeakerNotDetected" : "CommunicationError"});
  }
  return cases;
}

struct CellResult {
  TransferResult transfer;
  std::vector<std::string> messages;
  bool bytesIdentical = false;
  std::chrono::duration<double> elapsed{};
};

using Job = std::function<CellResult(const FaultCase&, const std::filesystem::path& dir)>;

// Starts an announcer with the fault's switches on `flash`, times `run`
// against it and, when the run completed, asks `identical` about the bytes.
CellResult Timed(const FaultCase& fault, const std::filesystem::path& flash,
                 const std::function<TransferResult(SimLink&, RetryBudget&)>& run,
                 const std::function<bool(SimLink&, const TransferResult&)>& identical) {
  std::vector<std::string> arguments = fault.switches;
  arguments.insert(arguments.end(), {"--flash", flash.string()});
  SimLink link(arguments);
  RetryBudget prompter(link.observer);
  CellResult cell;
  const auto start = std::chrono::steady_clock::now();
  cell.transfer = run(link, prompter);
  cell.elapsed = std::chrono::steady_clock::now() - start;
  cell.messages = prompter.keys;
  if (cell.transfer.outcome == TransferOutcome::Completed)
    cell.bytesIdentical = identical(link, cell.transfer);
  return cell;
}

const std::vector<uint8_t>& Image() {
  static const auto image = MakeImage(k64k, kPageSize, kPages, 1, kConfiguration);
  return image;
}

CellResult Program(const FaultCase& fault, const std::filesystem::path& dir) {
  const auto flash = dir / "program.bin";
  return Timed(
      fault, flash,
      [](SimLink& link, RetryBudget& prompter) {
        const ProgramImage image{Image(), k64k, int64_t{kPages} * kPageSize, 1};
        return ProgramAnnouncer(link.session, image, prompter, link.observer);
      },
      [&](SimLink& link, const TransferResult&) {
        link.sim.Stop();  // it saves its flash on the way out
        return ReadFile(flash) == std::string(Image().begin(), Image().end());
      });
}

// The read-backs start from an announcer whose flash holds the image.
std::filesystem::path ProgrammedFlash(const std::filesystem::path& dir) {
  const auto flash = dir / "programmed.bin";
  WriteFile(flash, std::string(Image().begin(), Image().end()));
  return flash;
}

bool SameAsImage(const std::vector<uint8_t>& read, int64_t bytes) {
  return bytes > 0 && static_cast<int64_t>(read.size()) >= bytes &&
         std::equal(read.begin(), read.begin() + bytes, Image().begin());
}

CellResult ReadWhole(const FaultCase& fault, const std::filesystem::path& dir) {
  std::vector<uint8_t> read;
  return Timed(
      fault, ProgrammedFlash(dir),
      [&](SimLink& link, RetryBudget& prompter) {
        return ReadWholeMemory(link.session, read, k64k, prompter, link.observer);
      },
      [&](SimLink&, const TransferResult& result) {
        return result.bytesInUse == kPages * kPageSize && SameAsImage(read, result.bytesInUse);
      });
}

CellResult ReadConfiguration(const FaultCase& fault, const std::filesystem::path& dir) {
  std::vector<uint8_t> read;
  return Timed(
      fault, ProgrammedFlash(dir),
      [&](SimLink& link, RetryBudget& prompter) {
        return ReadStoredConfiguration(link.session, read, k64k, prompter, link.observer);
      },
      [&](SimLink&, const TransferResult& result) {
        // In use: the pages up to the text's end (page 2); read: one more,
        // which the record's length field may push it into.
        return result.bytesInUse == 3 * kPageSize && SameAsImage(read, 4 * kPageSize) &&
               StoredConfigurationText(read, kPageSize) == kConfiguration;
      });
}

TEST(FaultMatrixTest, EveryRunEndsWithTheExactBytesOrItsMessageInBoundedTime) {
  const std::pair<const char*, Job> jobs[] = {
      {"program", Program}, {"read", ReadWhole}, {"read-config", ReadConfiguration}};
  for (const FaultCase& fault : Cases()) {
    for (const auto& [name, job] : jobs) {
      SCOPED_TRACE(fault.kind + " " + fault.setting + ", " + name);
      TempDir dir;
      const CellResult cell = job(fault, dir.path());
      EXPECT_LT(cell.elapsed, kBound);
      if (cell.transfer.outcome == TransferOutcome::Completed) {
        EXPECT_TRUE(cell.bytesIdentical) << "completed with different bytes";
        continue;
      }
      const TransferOutcome expected = fault.message == "CommunicationError"
                                           ? TransferOutcome::Abandoned
                                           : TransferOutcome::NoAnnouncer;
      EXPECT_EQ(cell.transfer.outcome, expected);
      ASSERT_FALSE(cell.messages.empty());
      EXPECT_EQ(cell.messages.back(), fault.message);
      if (expected == TransferOutcome::Abandoned) {
        EXPECT_GE(cell.transfer.errors, kRetryBudget);
      }
    }
  }
}

}  // namespace
}  // namespace liftvox::test
