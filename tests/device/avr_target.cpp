#include "device/avr_target.h"

namespace liftvox::test {

namespace {
constexpr int64_t kWriteBusyUs = 3500;
constexpr int64_t kEraseBusyUs = 9000;
}  // namespace

AvrTarget::AvrTarget(Chip chip, VirtualClock& clock, int misalignedBits)
    : flash(8192, 0xFF), chip_(chip), clock_(clock), misalignedBits_(misalignedBits) {
  pageBuffer_.fill(0xFF);
}

int AvrTarget::Open(int port) {
  if (port != 1) return -1;
  open_ = true;
  // Opening a tty raises DTR and RTS.
  dtr_ = true;
  rts_ = true;
  return 0;
}

int AvrTarget::SetBreak(bool on) {
  if (!open_ || unplugged) return -1;
  lineLog.push_back(on ? "BRK+" : "BRK-");
  if (on && !breakOn_ && !rts_) {
    // RESET going low while SCK is high does not enter programming mode.
    breakOn_ = on;
    return 0;
  }
  if (on && !breakOn_) {
    programming_ = true;
    enabled_ = false;
    bitCount_ = misalignedBits_;
    output_ = 0;
  }
  if (!on) programming_ = false;
  breakOn_ = on;
  return 0;
}

int AvrTarget::SetDTR(bool on) {
  if (!open_ || unplugged) return -1;
  lineLog.push_back(on ? "DTR+" : "DTR-");
  dtr_ = on;
  return 0;
}

int AvrTarget::SetRTS(bool on) {
  if (!open_ || unplugged) return -1;
  lineLog.push_back(on ? "RTS+" : "RTS-");
  const bool wasHigh = !rts_;
  rts_ = on;
  const bool high = !rts_;
  if (programming_ && connected) {
    if (high && !wasHigh) ClockRising();
    if (!high && wasHigh) ClockFalling();
  }
  return 0;
}

int AvrTarget::GetCTS() {
  if (!open_ || unplugged) return -1;
  int miso = 1;  // an absent chip leaves MISO pulled high
  if (programming_ && connected) miso = (output_ >> (7 - bitCount_ % 8)) & 1;
  return miso ? 0 : 16;
}

void AvrTarget::ClockRising() {
  const int mosi = dtr_ ? 0 : 1;
  uint8_t& current = instruction_[static_cast<size_t>((bitCount_ / 8) % 4)];
  current = static_cast<uint8_t>((current << 1) | mosi);
}

void AvrTarget::ClockFalling() {
  ++bitCount_;
  if (bitCount_ % 8 != 0) return;
  const int bytesDone = (bitCount_ / 8) % 4;
  output_ = 0;
  if (bytesDone == 2 && instruction_[0] == 0xAC) {
    output_ = instruction_[1];  // the echo that shows the framing is in step
  } else if (bytesDone == 3 && enabled_) {
    const uint8_t opcode = instruction_[0];
    if (opcode == 0x20 || opcode == 0x28) {
      output_ =
          ReadFlash(static_cast<uint32_t>(instruction_[1] << 8 | instruction_[2]), opcode == 0x28);
    } else if (opcode == 0x30) {
      static constexpr uint8_t kSignature[2][3] = {{0x1E, 0x93, 0x01}, {0x1E, 0x93, 0x06}};
      output_ = instruction_[2] < 3 ? kSignature[chip_ == Chip::Atmega8515][instruction_[2]] : 0;
    }
  } else if (bytesDone == 0) {
    Execute();
    bitCount_ = 0;
    instruction_ = {};
  }
}

uint8_t AvrTarget::ReadFlash(uint32_t wordAddress, bool highByte) const {
  const uint32_t address = (wordAddress * 2 + (highByte ? 1 : 0)) % 8192;
  if (Busy()) {
    if (chip_ == Chip::At90s8515 && address == busyAddress_) return 0x7F;
    if (chip_ == Chip::Atmega8515 && address / 64 * 64 == busyAddress_) return 0xFF;
  }
  return flash[address];
}

void AvrTarget::Execute() {
  const auto& in = instruction_;
  if (!enabled_) {
    enabled_ = in[0] == 0xAC && in[1] == 0x53;
    return;
  }
  const uint32_t word = static_cast<uint32_t>(in[1] << 8 | in[2]);
  const bool isWrite = (in[0] == 0x40 || in[0] == 0x48 || in[0] == 0x4C || in[0] == 0xAC);
  if (isWrite && Busy()) ++instructionsWhileBusy;
  switch (in[0]) {
    case 0xAC:
      if (in[1] == 0x80) {
        std::fill(flash.begin(), flash.end(), uint8_t{0xFF});
        ++chipErases;
        busyUntil_ = clock_.microseconds + kEraseBusyUs;
        busyAddress_ = -1;
      } else if (in[1] == 0xA0 && chip_ == Chip::Atmega8515) {
        fuseLow = in[3];
      } else if (in[1] == 0xA8 && chip_ == Chip::Atmega8515) {
        fuseHigh = in[3];
      }
      break;
    case 0x40:
    case 0x48: {
      const bool high = in[0] == 0x48;
      ++bytesWritten;
      if (chip_ == Chip::At90s8515) {
        const uint32_t address = (word * 2 + (high ? 1 : 0)) % 8192;
        flash[address] &= in[3];
        busyUntil_ = clock_.microseconds + kWriteBusyUs;
        busyAddress_ = address;
      } else {
        pageBuffer_[(word & 0x1F) * 2 + (high ? 1 : 0)] &= in[3];
      }
      break;
    }
    case 0x4C:
      if (chip_ == Chip::Atmega8515) {
        const uint32_t page = (word & ~0x1Fu) * 2 % 8192;
        for (size_t i = 0; i < pageBuffer_.size(); ++i) flash[page + i] &= pageBuffer_[i];
        pageBuffer_.fill(0xFF);
        busyUntil_ = clock_.microseconds + kWriteBusyUs;
        busyAddress_ = page;
      }
      break;
    default:
      break;
  }
}

}  // namespace liftvox::test
