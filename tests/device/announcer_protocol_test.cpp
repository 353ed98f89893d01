#include "device/announcer_protocol.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "support/quiet_serial_port.h"

namespace liftvox::test {
namespace {

// Plays back what each read brings: an empty entry, or none left, is a read
// that timed out. What is written goes nowhere.
class ScriptedPort final : public QuietSerialPort {
 public:
  std::deque<std::vector<uint8_t>> reads;

  int Read(uint8_t* buffer, int count) override {
    if (reads.empty()) return 0;
    auto& next = reads.front();
    const int n = std::min(count, static_cast<int>(next.size()));
    std::copy_n(next.begin(), n, buffer);
    next.erase(next.begin(), next.begin() + n);
    if (next.empty()) reads.pop_front();
    return n;
  }
};

// Every exchange that waits for an answer allows a fixed number of reads to
// bring it: the answer on the last of them succeeds, one read later fails.
TEST(AnnouncerProtocolTest, AnswersCountUpToTheLastAllowedRead) {
  const std::vector<uint8_t> page(256, 0x5A);
  const std::vector<uint8_t> sum = {static_cast<uint8_t>(PageSum(page)),
                                    static_cast<uint8_t>(PageSum(page) >> 8)};
  std::vector<uint8_t> received(256);
  struct Exchange {
    const char* name;
    int allowedReads;
    std::vector<std::vector<uint8_t>> before, after;  // around the answer waited for
    std::vector<uint8_t> answer;
    std::function<bool(SerialPort&)> run;
  };
  const std::vector<Exchange> exchanges = {
      {"probe", 1, {}, {}, {'E', 'X'}, [](SerialPort& p) { return ProbePort(p, 1); }},
      {"information",
       6,
       {},
       {},
       {'V', 3, 4, 1, 0, 0, 0},
       [](SerialPort& p) { return RequestAnnouncerInfo(p).has_value(); }},
      {"page write", 6, {}, {sum}, {'W'}, [&](SerialPort& p) { return SendPage(p, page, 3); }},
      {"page read",
       6,
       {},
       {page, sum},
       {'R'},
       [&](SerialPort& p) { return ReceivePage(p, received, 3); }},
      {"page read's data",
       6,
       {{'R'}},
       {sum},
       page,
       [&](SerialPort& p) { return ReceivePage(p, received, 3); }},
  };
  for (const auto& exchange : exchanges) {
    for (const int timeouts : {exchange.allowedReads - 1, exchange.allowedReads}) {
      ScriptedPort port;
      port.reads.assign(exchange.before.begin(), exchange.before.end());
      port.reads.insert(port.reads.end(), static_cast<size_t>(timeouts), {});
      port.reads.push_back(exchange.answer);
      port.reads.insert(port.reads.end(), exchange.after.begin(), exchange.after.end());
      EXPECT_EQ(exchange.run(port), timeouts < exchange.allowedReads)
          << exchange.name << " answered after " << timeouts << " time-outs";
    }
  }
  // A probe answer must start with 'E'.
  ScriptedPort port;
  port.reads = {{'X', 'E'}};
  EXPECT_FALSE(ProbePort(port, 1));
}

TEST(AnnouncerInfoTest, InterfaceNumberFollowsTheTextOnlyForFirmware27AndLater) {
  const std::vector<uint8_t> record = {'V', 3, 4, 2, 'x', 3, 'y', 'A', 'B', 'C', 0, 5};
  auto info = ParseAnnouncerInfo(record);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->HardwareVersion(), 2);
  EXPECT_EQ(info->MemoryCode(), 3);
  EXPECT_EQ(info->InterfaceNumber(), 5);

  auto old = record;
  old[1] = 2;
  old[2] = 6;
  EXPECT_FALSE(ParseAnnouncerInfo(old)->InterfaceNumber());
  old[2] = 7;
  EXPECT_EQ(ParseAnnouncerInfo(old)->InterfaceNumber(), 5);

  // The zero byte or the number after it missing from what arrived.
  const std::vector<uint8_t> cut(record.begin(), record.end() - 1);
  EXPECT_FALSE(ParseAnnouncerInfo(cut)->InterfaceNumber());
  const std::vector<uint8_t> noMarker = {'X', 3, 4};
  EXPECT_FALSE(ParseAnnouncerInfo(noMarker));
  EXPECT_FALSE(ParseAnnouncerInfo({}));
}

TEST(PageSumTest, WrapsAtSixteenBits) {
  const std::vector<uint8_t> full(1024, 0xFF);
  EXPECT_EQ(PageSum(std::span(full).first(256)), 0xFF00);
  EXPECT_EQ(PageSum(full), (0xFF * 1024) % 65536);
}

}  // namespace
}  // namespace liftvox::test
