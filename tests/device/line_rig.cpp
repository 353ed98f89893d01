#include "device/line_rig.h"

#include <algorithm>

#include "image/memory_size.h"

namespace liftvox::test {

SimulatedLine::SimulatedLine(sim::AnnouncerIdentity identity, sim::FaultSettings faults,
                             uint8_t flashFill)
    : announcer(identity, faults,
                std::vector<uint8_t>(static_cast<size_t>(MemorySizeFromCode(identity.memoryCode)),
                                     flashFill)) {}

int SimulatedLine::Open(int port) {
  if (port != announcerPort) return -1;
  open_ = true;
  return 0;
}

int SimulatedLine::SetTimeouts(int readTotalMs, int) {
  if (readTotalMs >= 0) timeoutMs_ = readTotalMs;
  return open_ ? 0 : -1;
}

int SimulatedLine::Read(uint8_t* buffer, int count) {
  if (!open_) return -1;
  if (dead_) {
    ++deadReads;
    return 0;
  }
  if (answer_.empty()) {
    nowUs_ += int64_t{timeoutMs_} * 1000;
    announcer.LineQuiet(nowUs_ - lastByteUs_, answer_);
  }
  const int n = std::min(count, static_cast<int>(answer_.size()));
  std::copy_n(answer_.begin(), n, buffer);
  answer_.erase(answer_.begin(), answer_.begin() + n);
  return n;
}

int SimulatedLine::Write(const uint8_t* buffer, int count) {
  if (!open_) return -1;
  // The line dies between exchanges: the last page's answer still arrives.
  if (pagesBeforeDeath >= 0 && announcer.PagesTransferred() >= pagesBeforeDeath) dead_ = true;
  if (dead_) return count;
  for (int i = 0; i < count; ++i) announcer.Receive(buffer[i], answer_);
  lastByteUs_ = nowUs_;
  if (announcer.PagesTransferred() == lateAnswerAfterPages) {
    late_ = std::exchange(answer_, {});
    lateAnswerAfterPages = -1;
  }
  return count;
}

std::vector<uint8_t> MakeImage(int64_t memorySize, int pageSize, int usedPages, int interfaceNumber,
                               const std::string& configuration) {
  std::vector<uint8_t> image(static_cast<size_t>(memorySize), 0xFF);
  for (int p = 2; p < usedPages; ++p) {
    for (int i = 0; i < pageSize; ++i) {
      image[static_cast<size_t>(p * pageSize + i)] = static_cast<uint8_t>(p * 7 + i * 13);
    }
  }
  image[0] = 1;
  image[1] = 0;
  image[2] = static_cast<uint8_t>(usedPages & 0xFF);
  image[3] = static_cast<uint8_t>(usedPages >> 8);
  const size_t block = static_cast<size_t>(pageSize);
  image[block] = 36;
  image[block + 1] = 0;
  image[block + 4] = static_cast<uint8_t>(interfaceNumber);
  const uint32_t length =
      configuration.empty() ? 0 : static_cast<uint32_t>(configuration.size() + 1);
  for (int i = 0; i < 4; ++i) image[block + 36 + i] = static_cast<uint8_t>(length >> (8 * i));
  std::copy(configuration.begin(), configuration.end(),
            image.begin() + static_cast<std::ptrdiff_t>(block + 40));
  if (!configuration.empty()) image[block + 40 + configuration.size()] = 0;
  return image;
}

LineRig::LineRig(sim::AnnouncerIdentity identity, sim::FaultSettings faults, uint8_t flashFill)
    : line(identity, faults, flashFill),
      session(line, FixedPort(1), language, {{"Paralelní", 1}, {"Sériové", 5}}) {}

DeviceSettings LineRig::FixedPort(int port) {
  DeviceSettings settings;
  settings.autoPort = false;
  settings.fixedPort = "COM" + std::to_string(port);
  return settings;
}

}  // namespace liftvox::test
