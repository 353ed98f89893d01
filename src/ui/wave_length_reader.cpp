#include "ui/wave_length_reader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMetaObject>

#include <exception>
#include <filesystem>
#include <system_error>

#include "audio/pcm_wave_reader.h"
#include "audio/wave_stream.h"
#include "config/paths.h"

namespace liftvox {
namespace {

// A batch goes out when it is this large or this old: few enough events for
// the window, soon enough for the user to see lengths appear.
constexpr int kBatchSize = 64;
constexpr qint64 kBatchMilliseconds = 40;

}  // namespace

std::optional<double> WaveFileSeconds(const QString& filePath) {
  const std::filesystem::path path = PathFromUtf8(filePath.toStdString());
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  try {
    TFileWaveStream stream(path);
    TPCMWaveReader reader(stream);
    const auto rate = reader.PcmFormat().samplesPerSec;
    if (rate == 0) return std::nullopt;
    return static_cast<double>(reader.TotalFrames()) / rate;
  } catch (const std::exception&) {
    // A file that is no WAV file, or one that is broken, just shows no length.
    return std::nullopt;
  }
}

WaveLengthReader::WaveLengthReader(QObject* parent) : QObject(parent) {
  // One worker: requests run one after the other, a cancelled one ending
  // after the file it is reading.
  pool_.setMaxThreadCount(1);
}

WaveLengthReader::~WaveLengthReader() {
  Cancel();
  pool_.waitForDone();
}

void WaveLengthReader::Cancel() {
  ++request_;
  if (cancelled_) cancelled_->store(true);
  cancelled_.reset();
}

bool WaveLengthReader::WaitForIdle(int milliseconds) { return pool_.waitForDone(milliseconds); }

void WaveLengthReader::Start(const QString& directory, const QStringList& fileNames) {
  Cancel();
  const int request = request_;
  auto cancelled = std::make_shared<std::atomic<bool>>(false);
  cancelled_ = cancelled;
  const QDir folder(directory);
  pool_.start([this, request, cancelled, folder, fileNames] {
    QList<WaveLength> batch;
    QElapsedTimer sinceLastBatch;
    sinceLastBatch.start();
    for (const QString& name : fileNames) {
      if (cancelled->load()) return;
      if (const auto seconds = WaveFileSeconds(folder.filePath(name))) {
        batch.append({name, *seconds});
      }
      if (batch.size() >= kBatchSize || sinceLastBatch.elapsed() >= kBatchMilliseconds) {
        Deliver(request, batch, false);
        batch.clear();
        sinceLastBatch.restart();
      }
    }
    if (!cancelled->load()) Deliver(request, batch, true);
  });
}

void WaveLengthReader::Deliver(int request, const QList<WaveLength>& lengths, bool last) {
  // Runs on the worker: queue the batch to the reader's thread, where a newer
  // request makes it stale.
  QMetaObject::invokeMethod(
      this,
      [this, request, lengths, last] {
        if (request != request_) return;
        if (!lengths.isEmpty()) emit LengthsRead(lengths);
        if (last) emit Finished();
      },
      Qt::QueuedConnection);
}

}  // namespace liftvox
