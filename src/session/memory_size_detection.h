#pragma once

#include <QObject>

#include <atomic>
#include <cstdint>
#include <thread>

namespace liftvox {

class AnnouncerSession;
class DeviceJobObserver;

// The background memory-size detection (`TVelikostPametiThread`): asks the
// announcer for its memory size (or takes the chosen size) on a worker
// thread, so the window stays responsive while up to four ports are probed.
// The result comes back as a signal, delivered on the GUI thread; the worker
// touches no widget. At most one detection runs at a time. It needs no
// dialog, prompter or stop, so it keeps a plain thread of its own.
class MemorySizeDetection final : public QObject {
  Q_OBJECT

 public:
  // `observer` hears the status texts on the worker thread.
  MemorySizeDetection(AnnouncerSession& session, DeviceJobObserver& observer,
                      QObject* parent = nullptr);
  // Waits for a running detection (at most a second or two of port time-outs).
  ~MemorySizeDetection() override;

  // False when a detection is still running. `selectPortFirst`: choose the
  // port (and show it) before the size, as one job.
  bool Start(bool selectPortFirst = false);
  bool Running() const { return running_.load(); }

 signals:
  // The memory size in bytes; 0 when even the chosen size is none.
  void Finished(qint64 memoryBytes);

 private:
  AnnouncerSession& session_;
  DeviceJobObserver& observer_;
  std::thread worker_;
  std::atomic<bool> running_{false};
};

}  // namespace liftvox
