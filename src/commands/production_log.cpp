#include "commands/production_log.h"

#include <algorithm>
#include <ctime>
#include <iterator>

#include "base/sha256.h"
#include "commands/command_error.h"
#include "image/memory_size.h"

namespace liftvox {

namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string LocalTime(std::chrono::system_clock::time_point when) {
  // std::localtime shares one buffer per process; only Append calls this,
  // under the log's lock.
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  char text[32] = "";
  if (const std::tm* local = std::localtime(&seconds)) {
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
  }
  return text;
}

// Integer arithmetic, since a decimal point from printf follows the locale.
std::string Seconds(std::chrono::milliseconds duration) {
  const int64_t tenths = (duration.count() + 50) / 100;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string LogLine(const ProductionRecord& record) {
  std::string hardware, firmware, memory, interface;
  if (const auto& info = record.announcer) {
    hardware = std::to_string(info->HardwareVersion());
    firmware = std::to_string(info->FirmwareMajor()) + "." + std::to_string(info->FirmwareMinor());
    memory = MemorySizeText(info->MemoryCode());
    if (const auto number = info->InterfaceNumber()) interface = std::to_string(*number);
  }
  const std::string fields[] = {LocalTime(record.ended),
                                record.port,
                                hardware,
                                firmware,
                                memory,
                                interface,
                                std::to_string(record.imageBytes),
                                record.imageSha256,
                                record.verify ? "on" : "off",
                                record.result,
                                std::to_string(record.transferErrors),
                                Seconds(record.duration)};
  std::string line;
  for (size_t i = 0; i < std::size(fields); ++i) line += (i > 0 ? "," : "") + CsvField(fields[i]);
  return line;
}

}  // namespace

std::string ResultWord(TransferOutcome outcome) {
  switch (outcome) {
    case TransferOutcome::Completed:
      return "ok";
    case TransferOutcome::NoAnnouncer:
      return "not detected";
    case TransferOutcome::MemorySizeMismatch:
      return "other memory size";
    case TransferOutcome::OldFirmware:
      return "old firmware";
    case TransferOutcome::InterfaceDeclined:
      return "other interface";
    case TransferOutcome::Abandoned:
      return "transfer failed";
    case TransferOutcome::Stopped:
      return "stopped";
    case TransferOutcome::VerifyFailed:
      return "verify failed";
  }
  return "?";
}

std::string WrittenPagesSha256(const ProgramImage& image) {
  Sha256 hash;
  const auto inUse = static_cast<size_t>(std::max<int64_t>(image.bytesInUse, 0));
  const size_t present = std::min(inUse, image.bytes.size());
  hash.Update(image.bytes.first(present));
  const std::vector<uint8_t> padding(inUse - present, 0xFF);
  hash.Update(padding);
  return hash.FinishHex();
}

ProductionRecord RecordOfRun(std::string port, const TransferResult& result,
                             const ProgramImage& image, std::string imageSha256, bool verify,
                             std::chrono::milliseconds duration) {
  return ProductionRecord{std::chrono::system_clock::now(),
                          std::move(port),
                          result.announcer,
                          image.bytesInUse,
                          std::move(imageSha256),
                          verify,
                          ResultWord(result.outcome),
                          result.errors,
                          duration};
}

const char* ProductionLog::Header() {
  return "time,port,hardware,firmware,memory,interface,image_bytes,image_sha256,verify,result,"
         "transfer_errors,seconds";
}

ProductionLog::ProductionLog(std::filesystem::path file) : file_(std::move(file)) {
  std::error_code error;
  // Opening a FIFO or a device for writing could block or write elsewhere.
  if (std::filesystem::exists(file_, error) && !std::filesystem::is_regular_file(file_, error))
    throw CommandError("the log " + file_.string() + " is not a regular file");
  out_.open(file_, std::ios::binary | std::ios::app);
  if (!out_) throw CommandError("cannot open the log " + file_.string() + " for appending");
  const auto size = std::filesystem::file_size(file_, error);
  if (!error && size == 0 && !WriteLine(Header()))
    throw CommandError("cannot write to the log " + file_.string());
}

bool ProductionLog::Append(const ProductionRecord& record) {
  std::lock_guard lock(mutex_);
  return WriteLine(LogLine(record));
}

bool ProductionLog::WriteLine(const std::string& line) {
  // The whole line in one call, then flushed: the stream passes it to the
  // system in one write.
  const std::string whole = line + "\r\n";
  out_.write(whole.data(), static_cast<std::streamsize>(whole.size()));
  out_.flush();
  return static_cast<bool>(out_);
}

}  // namespace liftvox
