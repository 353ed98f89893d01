#include "ui/wave_drop.h"

#include <QDir>
#include <QStandardPaths>

#include <climits>
#include <string>
#include <system_error>

#include "audio/pcm_wave_reader.h"
#include "audio/wave_error.h"
#include "audio/wave_format.h"
#include "audio/wave_stream.h"
#include "config/paths.h"

namespace liftvox {

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

std::filesystem::path UserDataFolder() {
  return PathFromUtf8(
      QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
          .toStdString());
}

}  // namespace liftvox
