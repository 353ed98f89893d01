#include "device/announcer_protocol.h"

#include <array>

#include "base/little_endian.h"

namespace liftvox {

namespace {

constexpr int kCommandAttempts = 6;
constexpr size_t kInfoBufferSize = 1024;

bool WriteByte(SerialPort& port, uint8_t byte) { return port.Write(&byte, 1) == 1; }

// Up to six tries of command + one-byte read; the first byte that came.
std::optional<uint8_t> Command(SerialPort& port, uint8_t command) {
  for (int attempt = 0; attempt < kCommandAttempts; ++attempt) {
    port.PurgeOutput();
    port.PurgeInput();
    WriteByte(port, command);
    uint8_t answer = 0;
    if (port.Read(&answer, 1) >= 1) return answer;
  }
  return std::nullopt;
}

void WriteZeros(SerialPort& port, size_t count) {
  const std::vector<uint8_t> zeros(count, 0);
  port.Write(zeros.data(), static_cast<int>(zeros.size()));
}

// The probe itself on a prepared, open port: 0x00 out, up to four bytes in,
// of which the first must be 'E'. The port is closed afterwards.
bool ProbeAndClose(SerialPort& port) {
  WriteByte(port, announcer::kProbe);
  std::array<uint8_t, 4> answer{};
  const int got = port.Read(answer.data(), static_cast<int>(answer.size()));
  port.Close();
  return got >= 1 && answer[0] == announcer::kProbeAnswer;
}

// Reads exactly `count` bytes, allowing six reads in a row that bring nothing.
bool ReadExactly(SerialPort& port, uint8_t* buffer, size_t count) {
  size_t got = 0;
  int emptyReads = 0;
  while (got < count) {
    const int n = port.Read(buffer + got, static_cast<int>(count - got));
    if (n < 0) return false;
    if (n == 0) {
      if (++emptyReads >= kCommandAttempts) return false;
      continue;
    }
    emptyReads = 0;
    got += static_cast<size_t>(n);
  }
  return true;
}

bool ReadSum(SerialPort& port, uint16_t& sum) {
  std::array<uint8_t, 2> bytes{};
  int got = 0;
  for (int i = 0; i < 2 && got < 2; ++i) {
    const int n = port.Read(bytes.data() + got, 2 - got);
    if (n <= 0) return false;
    got += n;
  }
  if (got < 2) return false;
  sum = ReadLittleEndian16(bytes.data());
  return true;
}

}  // namespace

bool AnnouncerInfo::HasInterfaceField() const {
  const int major = FirmwareMajor();
  const int minor = FirmwareMinor();
  return major > 2 || (major == 2 && minor >= 7);
}

std::optional<int> AnnouncerInfo::InterfaceNumber() const {
  if (!HasInterfaceField()) return std::nullopt;
  for (size_t i = 7; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == 0) return bytes[i + 1];
  }
  return std::nullopt;
}

std::optional<AnnouncerInfo> ParseAnnouncerInfo(std::span<const uint8_t> received) {
  if (received.empty() || received[0] != announcer::kInformationMarker) return std::nullopt;
  return AnnouncerInfo{std::vector<uint8_t>(received.begin(), received.end())};
}

void PrepareAnnouncerPort(SerialPort& port, int bufferSize, int timeoutMs) {
  port.SetBufferSizes(bufferSize, bufferSize);
  port.SetParams(115200, 8, 'N', 0, 0);
  port.SetTimeouts(timeoutMs, timeoutMs);
  port.PurgeOutput();
  port.PurgeInput();
}

bool ProbePort(SerialPort& port, int portNumber, int bufferSize, int timeoutMs) {
  port.Close();
  if (port.Open(portNumber) != 0) return false;
  port.SetBreak(false);
  PrepareAnnouncerPort(port, bufferSize, timeoutMs);
  port.SetBreak(false);
  return ProbeAndClose(port);
}

int FindAnnouncerPort(SerialPort& port) {
  port.Close();
  for (int n = 1; n <= 4; ++n) {
    if (port.Open(n) != 0) continue;
    PrepareAnnouncerPort(port, 256, 100);
    if (ProbeAndClose(port)) return n;
  }
  return 0;
}

std::optional<AnnouncerInfo> RequestAnnouncerInfo(SerialPort& port) {
  std::vector<uint8_t> buffer(kInfoBufferSize);
  for (int attempt = 0; attempt < kCommandAttempts; ++attempt) {
    WriteByte(port, announcer::kInformation);
    const int n = port.Read(buffer.data(), static_cast<int>(buffer.size()));
    if (n >= 1) {
      return ParseAnnouncerInfo(std::span<const uint8_t>(buffer.data(), static_cast<size_t>(n)));
    }
  }
  return std::nullopt;
}

uint16_t PageSum(std::span<const uint8_t> page) {
  uint16_t sum = 0;
  for (uint8_t byte : page) sum = static_cast<uint16_t>(sum + byte);
  return sum;
}

namespace {

// Sends a page command and checks its marker; a wrong or missing marker
// gets a page of zeros, so firmware waiting for page bytes is fed and resets.
bool StartPageExchange(SerialPort& port, uint8_t command, uint8_t marker, std::size_t pageSize) {
  const auto answer = Command(port, command);
  port.PurgeOutput();
  port.PurgeInput();
  if (answer && *answer == marker) return true;
  WriteZeros(port, pageSize);
  return false;
}

}  // namespace

bool SendPage(SerialPort& port, std::span<const uint8_t> page, int pageNumber) {
  if (!StartPageExchange(port, announcer::kWritePage, announcer::kWriteAnswer, page.size()))
    return false;
  // Page number and page in one write: the same bytes, one system call.
  std::vector<uint8_t> frame;
  frame.reserve(page.size() + 2);
  frame.resize(2);
  WriteLittleEndian16(frame.data(), static_cast<uint16_t>(pageNumber));
  frame.insert(frame.end(), page.begin(), page.end());
  const int written = port.Write(frame.data(), static_cast<int>(frame.size()));
  if (written != static_cast<int>(frame.size())) {
    if (written >= 0) WriteZeros(port, page.size());
    return false;
  }
  uint16_t sum = 0;
  return ReadSum(port, sum) && sum == PageSum(page);
}

bool ReceivePage(SerialPort& port, std::span<uint8_t> page, int pageNumber) {
  if (!StartPageExchange(port, announcer::kReadPage, announcer::kReadAnswer, page.size()))
    return false;
  std::array<uint8_t, 2> number{};
  WriteLittleEndian16(number.data(), static_cast<uint16_t>(pageNumber));
  if (port.Write(number.data(), 2) != 2 || !ReadExactly(port, page.data(), page.size())) {
    WriteZeros(port, page.size());
    return false;
  }
  uint16_t sum = 0;
  return ReadSum(port, sum) && sum == PageSum(page);
}

void SendEnd(SerialPort& port) { WriteByte(port, announcer::kEndOfTransfer); }

}  // namespace liftvox
