#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/serial_port.h"

namespace liftvox {

// Command bytes of the announcer firmware and its answer markers.
namespace announcer {
constexpr uint8_t kProbe = 0x00;
constexpr uint8_t kReadPage = 0x01;
constexpr uint8_t kWritePage = 0x02;
constexpr uint8_t kInformation = 0x03;
constexpr uint8_t kEndOfTransfer = 0x05;
constexpr uint8_t kProbeAnswer = 'E';
constexpr uint8_t kReadAnswer = 'R';
constexpr uint8_t kWriteAnswer = 'W';
constexpr uint8_t kInformationMarker = 'V';
}  // namespace announcer

// The firmware's answer to the information command, as received.
struct AnnouncerInfo {
  std::vector<uint8_t> bytes;

  int FirmwareMajor() const { return At(1); }
  int FirmwareMinor() const { return At(2); }
  int HardwareVersion() const { return At(3); }
  int MemoryCode() const { return At(5); }
  // Firmware 2.7 and later sends a text and the interface number.
  bool HasInterfaceField() const;
  // The byte after the first zero from offset 7, when the firmware sends one
  // and it arrived.
  std::optional<int> InterfaceNumber() const;

 private:
  int At(size_t offset) const { return offset < bytes.size() ? bytes[offset] : 0; }
};

// A received record counts only when it starts with 'V'.
std::optional<AnnouncerInfo> ParseAnnouncerInfo(std::span<const uint8_t> received);

// The port set-up that precedes every exchange with the firmware on an
// already open port: buffer sizes, 115200 8N1 with the lines under program
// control, the read time-outs, both purges.
void PrepareAnnouncerPort(SerialPort& port, int bufferSize, int timeoutMs);

// Closes, opens `portNumber`, releases the AVR from reset and asks for the
// probe answer 'E'. Closes the port again.
bool ProbePort(SerialPort& port, int portNumber, int bufferSize = 256, int timeoutMs = 100);

// The first of ports 1..4 that answers the probe, or 0. The port is closed
// on return.
int FindAnnouncerPort(SerialPort& port);

// Sends the information command (up to 6 times until something comes back)
// on a prepared, open port.
std::optional<AnnouncerInfo> RequestAnnouncerInfo(SerialPort& port);

// One page write: command, marker 'W', page number (little-endian), the page,
// then the firmware's 16-bit sum of the page. True when the sum matched. A
// failed exchange is followed by page-size zero bytes, which complete any
// page the firmware may still be waiting for.
bool SendPage(SerialPort& port, std::span<const uint8_t> page, int pageNumber);
// One page read into `page` (its size is the page size); true when the page
// arrived whole and its sum matched.
bool ReceivePage(SerialPort& port, std::span<uint8_t> page, int pageNumber);
void SendEnd(SerialPort& port);

// The 16-bit wrapping sum both sides compute over a page.
uint16_t PageSum(std::span<const uint8_t> page);

}  // namespace liftvox
