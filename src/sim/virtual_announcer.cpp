#include "sim/virtual_announcer.h"

#include <algorithm>

#include "device/announcer_protocol.h"
#include "image/memory_size.h"

namespace liftvox::sim {

namespace cmd = liftvox::announcer;

VirtualAnnouncer::VirtualAnnouncer(AnnouncerIdentity identity, FaultSettings faults,
                                   std::vector<uint8_t> flash)
    : identity_(std::move(identity)),
      faults_(faults),
      flash_(std::move(flash)),
      pageSize_(PageSizeForMemory(identity_.memoryCode)),
      random_(faults.seed),
      silentLeft_(faults.silentFirst) {
  // An unknown memory code still needs a page size to frame exchanges.
  if (pageSize_ == 0) pageSize_ = 256;
}

bool VirtualAnnouncer::TakeEndOfTransfer() {
  const bool taken = endOfTransfer_;
  endOfTransfer_ = false;
  return taken;
}

bool VirtualAnnouncer::Silenced() {
  if (silentLeft_ <= 0) return false;
  --silentLeft_;
  return true;
}

bool VirtualAnnouncer::Chance(double rate) {
  if (rate <= 0) return false;
  return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < rate;
}

uint8_t VirtualAnnouncer::GarbageInsteadOf(uint8_t letter) {
  const auto garbage = static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 255)(random_));
  return garbage == letter ? static_cast<uint8_t>(~letter) : garbage;
}

size_t VirtualAnnouncer::PageOffset(int page) const {
  return static_cast<size_t>(page) * static_cast<size_t>(pageSize_);
}

void VirtualAnnouncer::Receive(uint8_t byte, std::vector<uint8_t>& out) {
  switch (state_) {
    case State::WritePage:
      exchange_.push_back(byte);
      if (exchange_.size() == static_cast<size_t>(pageSize_) + 2) FinishWrite(out);
      return;
    case State::ReadPageNumber:
      exchange_.push_back(byte);
      if (exchange_.size() == 2) AnswerRead(out);
      return;
    case State::Padding:
      if (byte == cmd::kProbe) return;
      state_ = State::Idle;
      break;
    case State::Idle:
      break;
  }
  if (probeHeld_) {
    // Anything right behind a zero means it was not a probe.
    probeHeld_ = false;
    if (byte == cmd::kProbe) {
      state_ = State::Padding;
      return;
    }
  }
  Command(byte, out);
}

namespace {
constexpr int64_t kProbeQuietUs = 2000;
constexpr int64_t kStalledExchangeUs = 500000;
}  // namespace

int64_t VirtualAnnouncer::QuietThresholdMicroseconds() const {
  if (probeHeld_ || state_ == State::Padding) return kProbeQuietUs;
  return state_ == State::Idle ? -1 : kStalledExchangeUs;
}

void VirtualAnnouncer::LineQuiet(int64_t quietMicroseconds, std::vector<uint8_t>& out) {
  if (quietMicroseconds >= kProbeQuietUs) {
    if (probeHeld_) {
      probeHeld_ = false;
      AnswerProbe(out);
    }
    if (state_ == State::Padding) state_ = State::Idle;
  }
  // A PC that stopped in the middle of a page must not leave us deaf.
  if (quietMicroseconds >= kStalledExchangeUs && state_ != State::Idle) {
    state_ = State::Idle;
    exchange_.clear();
  }
}

void VirtualAnnouncer::AnswerProbe(std::vector<uint8_t>& out) {
  if (!Silenced()) out.push_back(cmd::kProbeAnswer);
}

void VirtualAnnouncer::Command(uint8_t byte, std::vector<uint8_t>& out) {
  switch (byte) {
    case cmd::kProbe:
      probeHeld_ = true;
      return;
    case cmd::kInformation:
      if (!Silenced()) AppendInformation(out);
      return;
    case cmd::kEndOfTransfer:
      endOfTransfer_ = true;
      return;
    case cmd::kWritePage:
    case cmd::kReadPage: {
      if (Silenced()) return;
      const bool drop = Chance(faults_.dropRate);
      // Half the drops lose the command itself, half lose the final sum.
      if (drop && Chance(0.5)) return;
      dropSum_ = drop;
      corrupt_ = Chance(faults_.corruptRate);
      badSum_ = Chance(faults_.badSumRate);
      const bool write = byte == cmd::kWritePage;
      const uint8_t letter = write ? cmd::kWriteAnswer : cmd::kReadAnswer;
      if (Chance(faults_.garbageRate)) {
        // The firmware did not take the command, so the PC's next bytes meet
        // an idle announcer.
        out.push_back(GarbageInsteadOf(letter));
        return;
      }
      exchange_.clear();
      state_ = write ? State::WritePage : State::ReadPageNumber;
      out.push_back(letter);
      return;
    }
    default:
      return;  // unknown commands are ignored, as the firmware does
  }
}

void VirtualAnnouncer::FinishWrite(std::vector<uint8_t>& out) {
  const int page = exchange_[0] | (exchange_[1] << 8);
  const std::span<uint8_t> data(exchange_.data() + 2, static_cast<size_t>(pageSize_));
  // A byte damaged on the way in is what the flash keeps and what the sum covers.
  if (corrupt_) data[data.size() / 2] ^= 0x01;
  if (PageOffset(page + 1) <= flash_.size()) {
    std::copy(data.begin(), data.end(),
              flash_.begin() + static_cast<std::ptrdiff_t>(PageOffset(page)));
    for (const int64_t cell : faults_.wornCells) {
      const int64_t at = cell - static_cast<int64_t>(PageOffset(page));
      if (at >= 0 && at < pageSize_)
        flash_[static_cast<size_t>(cell)] = static_cast<uint8_t>(~data[static_cast<size_t>(at)]);
    }
  }
  EndPageExchange(PageSum(data), out);
}

void VirtualAnnouncer::AnswerRead(std::vector<uint8_t>& out) {
  const int page = exchange_[0] | (exchange_[1] << 8);
  std::vector<uint8_t> data(static_cast<size_t>(pageSize_), 0xFF);
  if (PageOffset(page + 1) <= flash_.size()) {
    std::copy_n(flash_.begin() + static_cast<std::ptrdiff_t>(PageOffset(page)), data.size(),
                data.begin());
  }
  const uint16_t sum = PageSum(data);
  if (corrupt_) data[data.size() / 2] ^= 0x01;
  out.insert(out.end(), data.begin(), data.end());
  EndPageExchange(sum, out);
}

void VirtualAnnouncer::EndPageExchange(uint16_t sum, std::vector<uint8_t>& out) {
  if (badSum_) sum ^= 0x5A;
  if (!dropSum_) {
    out.push_back(static_cast<uint8_t>(sum & 0xFF));
    out.push_back(static_cast<uint8_t>(sum >> 8));
  }
  state_ = State::Idle;
  exchange_.clear();
  ++pagesTransferred_;
}

void VirtualAnnouncer::AppendInformation(std::vector<uint8_t>& out) const {
  out.push_back(cmd::kInformationMarker);
  out.push_back(static_cast<uint8_t>(identity_.firmwareMajor));
  out.push_back(static_cast<uint8_t>(identity_.firmwareMinor));
  out.push_back(static_cast<uint8_t>(identity_.hardwareVersion));
  out.push_back(0);
  out.push_back(static_cast<uint8_t>(identity_.memoryCode));
  out.push_back(0);
  const bool textAndInterface =
      identity_.firmwareMajor > 2 || (identity_.firmwareMajor == 2 && identity_.firmwareMinor >= 7);
  if (textAndInterface) {
    out.insert(out.end(), identity_.text.begin(), identity_.text.end());
    out.push_back(0);
    out.push_back(static_cast<uint8_t>(identity_.interfaceNumber));
  }
}

}  // namespace liftvox::sim
