#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace liftvox::sim {

// What the announcer reports about itself.
struct AnnouncerIdentity {
  int firmwareMajor = 3;
  int firmwareMinor = 4;
  int hardwareVersion = 1;
  int memoryCode = 0;
  int interfaceNumber = 1;
  std::string text = "Liftvox virtual announcer";
};

// Line faults, drawn from a seeded generator so a run can be repeated. The
// rates are shares of page exchanges (write or read page commands).
struct FaultSettings {
  double dropRate = 0;     // the exchange loses its command or its sum
  double corruptRate = 0;  // one byte of the page is damaged on the line
  double badSumRate = 0;   // the page arrives intact but its sum is wrong
  double garbageRate = 0;  // a wrong letter answers the command; no exchange follows
  int silentFirst = 0;     // the first commands get no answer at all
  int disconnectAfterPages = -1;
  uint32_t seed = 1;
  // Flash addresses of worn cells: each keeps the complement of the byte
  // written to it, while the write's sum still covers the byte received, so
  // only reading the page back shows it.
  std::vector<int64_t> wornCells = {};
};

// The announcer firmware's command protocol as a byte-in, bytes-out machine
// with no I/O and no clock: the caller feeds received bytes and tells it
// when the line has gone quiet.
//
// A lone 0x00 is a probe, answered once the line is quiet. A run of zeros is
// the padding a PC sends after a broken page exchange; it is not answered,
// so the PC's next command meets an idle line.
class VirtualAnnouncer {
 public:
  VirtualAnnouncer(AnnouncerIdentity identity, FaultSettings faults, std::vector<uint8_t> flash);

  void Receive(uint8_t byte, std::vector<uint8_t>& out);
  // No byte arrived for `quietMicroseconds`: answer a held probe after a
  // short pause, drop a stalled exchange after a long one.
  void LineQuiet(int64_t quietMicroseconds, std::vector<uint8_t>& out);
  // The quiet time after which LineQuiet would act; -1 when it would not.
  int64_t QuietThresholdMicroseconds() const;

  int PagesTransferred() const { return pagesTransferred_; }
  // True once after each end-of-transfer command.
  bool TakeEndOfTransfer();
  const std::vector<uint8_t>& Flash() const { return flash_; }
  int PageSize() const { return pageSize_; }

 private:
  enum class State { Idle, Padding, WritePage, ReadPageNumber };

  void Command(uint8_t byte, std::vector<uint8_t>& out);
  void AnswerProbe(std::vector<uint8_t>& out);
  void FinishWrite(std::vector<uint8_t>& out);
  void AnswerRead(std::vector<uint8_t>& out);
  // Sends a page's sum (unless this exchange drops it) and waits for the next command.
  void EndPageExchange(uint16_t sum, std::vector<uint8_t>& out);
  void AppendInformation(std::vector<uint8_t>& out) const;
  bool Silenced();
  bool Chance(double rate);
  uint8_t GarbageInsteadOf(uint8_t letter);
  size_t PageOffset(int page) const;

  AnnouncerIdentity identity_;
  FaultSettings faults_;
  std::vector<uint8_t> flash_;
  int pageSize_;
  std::mt19937 random_;
  State state_ = State::Idle;
  bool probeHeld_ = false;
  std::vector<uint8_t> exchange_;  // page number and data received so far
  bool dropSum_ = false;
  bool corrupt_ = false;
  bool badSum_ = false;
  int silentLeft_;
  int pagesTransferred_ = 0;
  bool endOfTransfer_ = false;
};

}  // namespace liftvox::sim
