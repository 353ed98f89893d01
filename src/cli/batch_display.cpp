#include "cli/batch_display.h"

#include <algorithm>

#include "commands/production_log.h"
#include "image/memory_size.h"

namespace liftvox::cli {

namespace {

std::string Where(const BatchDeviceStatus& status) {
  return status.Where().empty() ? "(searching)" : status.Where();
}

std::string StateText(const BatchDeviceStatus& status) {
  switch (status.state) {
    case BatchState::Waiting:
      return "waiting";
    case BatchState::Detecting:
      return "detecting";
    case BatchState::Writing:
      return "writing " + std::to_string(status.percent) + "%";
    case BatchState::Verifying:
      return "verifying " + std::to_string(status.percent) + "%";
    default:
      return ResultWord(status.result.outcome);
  }
}

// What a plain line is printed again for: a new state or a new tenth.
std::string PlainKey(const BatchDeviceStatus& status) {
  return std::to_string(static_cast<int>(status.state)) + "/" + std::to_string(status.percent / 10);
}

std::string Padded(std::string text, size_t width) {
  text.resize(std::max(width, text.size()), ' ');
  return text;
}

}  // namespace

std::string ProgressLine(const BatchDeviceStatus& status) {
  std::string line = Where(status) + "  " + StateText(status);
  const bool moving = status.state == BatchState::Writing || status.state == BatchState::Verifying;
  if (moving && !status.progressText.empty()) line += "  " + status.progressText;
  return line + "  " + std::to_string(status.errors) + " errors  " +
         MinutesAndSeconds(status.elapsed);
}

std::string FitToColumns(std::string line, size_t columns) {
  if (columns == 0 || line.size() < columns) return line;
  size_t end = columns - 1;
  while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
  line.resize(end);
  return line;
}

BatchDisplay::BatchDisplay(std::ostream& out, bool terminal, size_t devices,
                           std::function<size_t()> columns)
    : out_(out),
      terminal_(terminal),
      columns_(std::move(columns)),
      lines_(devices),
      printed_(devices) {}

void BatchDisplay::DeviceChanged(size_t index, const BatchDeviceStatus& status) {
  std::lock_guard lock(mutex_);
  lines_[index] = ProgressLine(status);
  if (terminal_) {
    Redraw();
  } else if (lines_.size() > 1 && printed_[index] != PlainKey(status)) {
    printed_[index] = PlainKey(status);
    out_ << lines_[index] << '\n' << std::flush;
  }
}

void BatchDisplay::Redraw() {
  // Back to the first line, then each line cleared and written again.
  if (drawn_) out_ << "\x1b[" << lines_.size() << 'A';
  const size_t columns = columns_();
  for (const auto& line : lines_) out_ << "\r\x1b[2K" << FitToColumns(line, columns) << '\n';
  out_ << std::flush;
  drawn_ = true;
}

void PrintBatchTable(std::ostream& out, const std::vector<BatchDeviceStatus>& statuses) {
  std::vector<std::vector<std::string>> rows = {
      {"port", "firmware", "hardware", "memory", "result", "errors", "time"}};
  for (const auto& status : statuses) {
    std::string firmware, hardware, memory;
    if (const auto& info = status.result.announcer) {
      firmware =
          std::to_string(info->FirmwareMajor()) + "." + std::to_string(info->FirmwareMinor());
      hardware = std::to_string(info->HardwareVersion());
      memory = MemorySizeText(info->MemoryCode());
    }
    rows.push_back({Where(status), firmware, hardware, memory, ResultWord(status.result.outcome),
                    std::to_string(status.result.errors), MinutesAndSeconds(status.elapsed)});
  }
  std::vector<size_t> widths(rows[0].size(), 0);
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
  }
  for (const auto& row : rows) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) line += Padded(row[i], widths[i] + 2);
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
  }
}

}  // namespace liftvox::cli
