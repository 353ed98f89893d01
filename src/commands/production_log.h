#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>

#include "device/announcer_protocol.h"
#include "device/memory_transfer.h"

namespace liftvox {

// One announcer programmed, as the production log keeps it.
struct ProductionRecord {
  std::chrono::system_clock::time_point ended;
  std::string port;  // the device path, or the port's label
  std::optional<AnnouncerInfo>
      announcer;            // versions, memory, interface; empty when it never answered
  int64_t imageBytes = 0;   // the bytes written: whole pages
  std::string imageSha256;  // of those bytes, the last page padded as written
  bool verify = false;
  std::string result;  // ResultWord of the run's outcome
  int transferErrors = 0;
  std::chrono::milliseconds duration{0};
};

// The production log: a CSV file (comma separated, CR LF line ends, a header
// line, fields quoted where they hold a comma or a quote) with one line per
// announcer: date and time (local, "YYYY-MM-DD HH:MM:SS"), port, hardware and
// firmware version, memory size, interface number, image bytes and SHA-256,
// verify on/off, result, transfer errors, seconds with one decimal (a point,
// whatever the locale).
// Each line is handed to the file whole in one write and flushed before
// Append returns, so a crash or a kill leaves every earlier line intact and
// never half a line. Append is safe from several threads at once.
class ProductionLog {
 public:
  // The header line, without its line end.
  static const char* Header();

  // Opens `file` for appending (creating it) and writes the header when the
  // file is empty. Throws CommandError naming the file when it is not a
  // regular file or cannot be opened.
  explicit ProductionLog(std::filesystem::path file);

  // False when the line could not be written.
  bool Append(const ProductionRecord& record);
  const std::filesystem::path& File() const { return file_; }

 private:
  bool WriteLine(const std::string& line);

  std::filesystem::path file_;
  std::mutex mutex_;
  std::ofstream out_;
};

// A short English word for how a programming run ended, as the log and the
// command line's table show it: "ok", "verify failed", "not detected", ...
std::string ResultWord(TransferOutcome outcome);

// SHA-256 of the bytes a programming run writes: image.bytesInUse bytes, the
// last page padded with 0xFF as it goes out (so a read-back of as many bytes
// has the same digest).
std::string WrittenPagesSha256(const ProgramImage& image);

// The record of a programming run of `image` that has just ended; `port`
// says where (a device path or a port label), `imageSha256` is
// WrittenPagesSha256(image), computed once for many runs.
ProductionRecord RecordOfRun(std::string port, const TransferResult& result,
                             const ProgramImage& image, std::string imageSha256, bool verify,
                             std::chrono::milliseconds duration);

}  // namespace liftvox
