// liftvox-sim: a virtual announcer on a pseudo-terminal. It prints the
// terminal's device path and answers the firmware protocol until killed.
#include <CLI/CLI.hpp>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <thread>

#include "config/file_io.h"
#include "image/memory_size.h"
#include "sim/virtual_announcer.h"

namespace {

using Clock = std::chrono::steady_clock;
using liftvox::sim::AnnouncerIdentity;
using liftvox::sim::FaultSettings;
using liftvox::sim::VirtualAnnouncer;

volatile std::sig_atomic_t stopSignal = 0;
void OnSignal(int) { stopSignal = 1; }

// 115200 baud 8N1: ten bit times per byte.
constexpr auto kByteTime = std::chrono::nanoseconds(1'000'000'000LL * 10 / 115200);

struct TimedByte {
  uint8_t byte;
  Clock::time_point due;
};

bool ParseVersion(const std::string& text, int& major, int& minor) {
  const auto dot = text.find('.');
  if (dot == std::string::npos) return false;
  char* end = nullptr;
  major = static_cast<int>(std::strtol(text.c_str(), &end, 10));
  if (end != text.c_str() + dot) return false;
  minor = static_cast<int>(std::strtol(text.c_str() + dot + 1, &end, 10));
  return *end == '\0' && major >= 0 && major < 256 && minor >= 0 && minor < 256;
}

std::vector<uint8_t> LoadFlash(const std::string& file, size_t size) {
  std::vector<uint8_t> flash(size, 0xFF);
  if (file.empty()) return flash;
  if (const auto bytes = liftvox::ReadFileBytes(file)) {
    std::copy_n(bytes->begin(), std::min(bytes->size(), size), flash.begin());
  }
  return flash;
}

void SaveFlash(const std::string& file, const std::vector<uint8_t>& flash) {
  if (file.empty()) return;
  const std::string_view bytes(reinterpret_cast<const char*>(flash.data()), flash.size());
  if (!liftvox::WriteFileAtomically(file, bytes)) {
    std::cerr << "liftvox-sim: cannot write " << file << '\n';
  }
}

// Opens the master side and keeps one slave descriptor, so the PC closing
// and reopening the port never looks like a hang-up to us.
bool OpenTerminal(int& master, int& slave, std::string& path) {
  master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return false;
  const char* name = ::ptsname(master);
  if (!name) return false;
  path = name;
  slave = ::open(name, O_RDWR | O_NOCTTY);
  if (slave < 0) return false;
  termios raw{};
  ::tcgetattr(slave, &raw);
  ::cfmakeraw(&raw);
  ::cfsetispeed(&raw, B115200);
  ::cfsetospeed(&raw, B115200);
  ::tcsetattr(slave, TCSANOW, &raw);
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"liftvox-sim: a virtual elevator announcer on a pseudo-terminal"};
  AnnouncerIdentity identity;
  FaultSettings faults;
  std::string firmware = "3.4";
  std::string flashFile;
  bool pace = false;
  app.add_option("--memory", identity.memoryCode, "Memory-size code 0 (64kB) .. 7 (8MB)")
      ->check(CLI::Range(0, 255));
  app.add_option("--firmware", firmware, "Firmware version major.minor");
  app.add_option("--hardware", identity.hardwareVersion, "Hardware version")
      ->check(CLI::Range(0, 255));
  app.add_option("--interface", identity.interfaceNumber, "Active interface number")
      ->check(CLI::Range(0, 255));
  app.add_option("--text", identity.text, "Text in the information record");
  app.add_option("--flash", flashFile, "File that keeps the flash content");
  app.add_flag("--pace", pace, "Answer no faster than 115200 baud carries the bytes");
  app.add_option("--drop-rate", faults.dropRate, "Share of page exchanges that lose an answer")
      ->check(CLI::Range(0.0, 1.0));
  app.add_option("--corrupt-rate", faults.corruptRate,
                 "Share of page exchanges with one byte of the page damaged")
      ->check(CLI::Range(0.0, 1.0));
  app.add_option("--bad-sum-rate", faults.badSumRate,
                 "Share of page exchanges whose sum is wrong though the page is intact")
      ->check(CLI::Range(0.0, 1.0));
  app.add_option("--garbage-rate", faults.garbageRate,
                 "Share of page commands answered with a wrong letter")
      ->check(CLI::Range(0.0, 1.0));
  app.add_option("--silent-first", faults.silentFirst, "Ignore this many first commands")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--disconnect-after-pages", faults.disconnectAfterPages,
                 "Hang up after this many pages")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--seed", faults.seed, "Seed of the fault generator");
  app.add_option("--worn-cell", faults.wornCells,
                 "Flash address (0x... for hex) that keeps the complement of what is written; "
                 "the write's sum still matches, reading back shows it (repeatable)")
      ->allow_extra_args(false)
      ->check(CLI::NonNegativeNumber);
  CLI11_PARSE(app, argc, argv);
  if (!ParseVersion(firmware, identity.firmwareMajor, identity.firmwareMinor)) {
    std::cerr << "liftvox-sim: --firmware wants major.minor, such as 3.4\n";
    return 2;
  }

  int64_t flashSize = liftvox::MemorySizeFromCode(identity.memoryCode);
  VirtualAnnouncer announcer(identity, faults,
                             LoadFlash(flashFile, static_cast<size_t>(flashSize)));

  int master = -1;
  int slave = -1;
  std::string path;
  if (!OpenTerminal(master, slave, path)) {
    std::cerr << "liftvox-sim: cannot open a pseudo-terminal\n";
    return 1;
  }
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGHUP, OnSignal);
  std::cout << path << std::endl;

  // Pacing keeps a clock per direction: a byte is not "received" before the
  // line could have carried it, and an answer is not written before the line
  // could have sent its last byte. The firmware works on each byte at once
  // and stamps its answer with the received byte's time, so a whole answer
  // goes out in one write when it is due.
  std::deque<TimedByte> outgoing;
  auto rxClock = Clock::now();
  auto txClock = Clock::now();
  auto lastByte = Clock::now();
  std::vector<uint8_t> answer;
  std::vector<uint8_t> chunk(4096);

  auto queueAnswer = [&](Clock::time_point at) {
    for (uint8_t byte : answer) {
      txClock = pace ? std::max(txClock, at) + kByteTime : at;
      outgoing.push_back({byte, txClock});
    }
    answer.clear();
  };

  while (!stopSignal) {
    auto now = Clock::now();
    const int64_t threshold = announcer.QuietThresholdMicroseconds();
    if (threshold >= 0 && now >= lastByte) {
      const auto quiet = std::chrono::duration_cast<std::chrono::microseconds>(now - lastByte);
      if (quiet.count() >= threshold) {
        announcer.LineQuiet(quiet.count(), answer);
        queueAnswer(now);
      }
    }
    if (!outgoing.empty() && outgoing.back().due <= now) {
      std::vector<uint8_t> ready;
      for (const auto& timed : outgoing) ready.push_back(timed.byte);
      outgoing.clear();
      if (::write(master, ready.data(), ready.size()) < 0 && errno != EAGAIN) break;
    }
    if (announcer.TakeEndOfTransfer()) SaveFlash(flashFile, announcer.Flash());
    if (faults.disconnectAfterPages >= 0 &&
        announcer.PagesTransferred() >= faults.disconnectAfterPages && outgoing.empty()) {
      // Let the PC take the last answer: a hang-up discards unread input.
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      break;
    }

    // Sleep until the answer is due, the quiet time runs out, or input.
    auto wake = now + std::chrono::seconds(1);
    if (!outgoing.empty()) wake = std::min(wake, outgoing.back().due);
    if (announcer.QuietThresholdMicroseconds() >= 0) {
      wake = std::min(wake,
                      lastByte + std::chrono::microseconds(announcer.QuietThresholdMicroseconds()));
    }
    const auto wait = std::max(wake - now, Clock::duration::zero());
    const auto waitNs = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    timespec timeout{static_cast<time_t>(waitNs / 1'000'000'000),
                     static_cast<long>(waitNs % 1'000'000'000)};
    pollfd request{master, POLLIN, 0};
    const int polled = ::ppoll(&request, 1, &timeout, nullptr);
    if (polled > 0 && (request.revents & POLLIN)) {
      const ssize_t n = ::read(master, chunk.data(), chunk.size());
      now = Clock::now();
      for (ssize_t i = 0; i < n; ++i) {
        rxClock = pace ? std::max(rxClock, now) + kByteTime : now;
        lastByte = rxClock;
        announcer.Receive(chunk[static_cast<size_t>(i)], answer);
        queueAnswer(rxClock);
      }
    }
  }
  SaveFlash(flashFile, announcer.Flash());
  ::close(slave);
  ::close(master);
  return 0;
}
