#include "ui/wave_drop.h"

#include <QDir>
#include <QString>
#include <QTemporaryFile>

#include <climits>
#include <string>
#include <system_error>

#include "audio/convert.h"
#include "audio/pcm_wave_reader.h"
#include "audio/wave_error.h"
#include "audio/wave_format.h"
#include "audio/wave_stream.h"
#include "config/paths.h"

namespace liftvox {
namespace {

constexpr int kMaxCopyNames = 10000;

bool PathExists(const std::filesystem::path& path) {
  std::error_code error;
  // A dangling link counts: creating the copy would write through it.
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

bool IsAnnouncerFormat(const WaveFormat& pcmFormat) {
  return pcmFormat.channels == 1 && pcmFormat.samplesPerSec >= 14000 &&
         pcmFormat.samplesPerSec <= 15000;
}

DroppedWave InspectDroppedWave(const std::filesystem::path& file) {
  DroppedWave dropped;
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return dropped;
  try {
    TFileWaveStream stream(file);
    TPCMWaveReader reader(stream);
    if (reader.TotalFrames() > INT32_MAX) return dropped;
    dropped.frames = static_cast<int32_t>(reader.TotalFrames());
    dropped.announcerFormat = IsAnnouncerFormat(reader.PcmFormat());
  } catch (const WaveError&) {
    dropped = DroppedWave{};
  }
  return dropped;
}

std::filesystem::path ConvertedCopyName(
    const std::filesystem::path& folder, const std::filesystem::path& original,
    const std::function<bool(const std::filesystem::path&)>& exists) {
  const std::string stem = PathToUtf8(original.stem()) + "-14456";
  for (int number = 1; number <= kMaxCopyNames; ++number) {
    const std::string name = number == 1 ? stem : stem + "-" + std::to_string(number);
    const std::filesystem::path candidate = folder / PathFromUtf8(name + ".wav");
    if (!exists(candidate)) return candidate;
  }
  return {};
}

bool FolderTakesNewFiles(const std::filesystem::path& folder) {
  const QString utf8Folder = QString::fromStdString(PathToUtf8(folder));
  QTemporaryFile probe(QDir(utf8Folder).filePath(QStringLiteral("liftvox-XXXXXX.tmp")));
  return probe.open();
}

WaveConversion ConvertDroppedWave(const std::filesystem::path& original,
                                  const std::filesystem::path& fallbackFolder) {
  WaveConversion result;
  std::filesystem::path folder = original.parent_path();
  if (!FolderTakesNewFiles(folder)) {
    folder = fallbackFolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!FolderTakesNewFiles(folder)) {
      result.outcome = WaveConversion::Outcome::NoWritableFolder;
      result.file = folder;
      return result;
    }
  }
  const std::filesystem::path copy = ConvertedCopyName(folder, original, PathExists);
  if (copy.empty()) {
    result.outcome = WaveConversion::Outcome::NoWritableFolder;
    result.file = folder;
    return result;
  }
  try {
    // Without a progress callback a conversion is never stopped.
    const std::optional<int64_t> frames = ConvertRecording(original, copy);
    if (!frames || *frames > INT32_MAX) {
      std::error_code error;
      std::filesystem::remove(copy, error);
      return result;
    }
    result.outcome = WaveConversion::Outcome::Converted;
    result.file = copy;
    result.frames = static_cast<int32_t>(*frames);
  } catch (const WaveError&) {
    result.outcome = WaveConversion::Outcome::Unreadable;
  }
  return result;
}

}  // namespace liftvox
