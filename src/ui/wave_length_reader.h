#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <optional>

namespace liftvox {

// A WAV file's length in seconds: its PCM frames over its own sample rate;
// none when it is not a regular file or cannot be read as a WAV file.
std::optional<double> WaveFileSeconds(const QString& filePath);

// A WAV file's length as the reader reports it.
struct WaveLength {
  QString fileName;
  double seconds = 0;
};

// Measures WAV lengths on a worker thread, so that listing a large folder
// never stalls the window, and hands them back in batches on the reader's own
// thread. The worker touches nothing but the files and its own copies.
class WaveLengthReader final : public QObject {
  Q_OBJECT

 public:
  explicit WaveLengthReader(QObject* parent = nullptr);
  // Cancels the work and waits for the file being read.
  ~WaveLengthReader() override;

  // Measures the files `fileNames` of `directory` in order. An earlier request
  // is cancelled: none of its results arrive after this call.
  void Start(const QString& directory, const QStringList& fileNames);
  void Cancel();
  // Blocks until the worker has nothing left to do (its results may still be
  // on their way); false when `milliseconds` pass first.
  bool WaitForIdle(int milliseconds);

 signals:
  // Lengths of files that could be read; unreadable files are left out.
  void LengthsRead(const QList<liftvox::WaveLength>& lengths);
  // Every file of the current request has been measured.
  void Finished();

 private:
  void Deliver(int request, const QList<WaveLength>& lengths, bool last);

  QThreadPool pool_;
  // Owned by the reader's thread: the request whose results still count.
  int request_ = 0;
  std::shared_ptr<std::atomic<bool>> cancelled_;
};

}  // namespace liftvox
