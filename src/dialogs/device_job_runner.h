#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "device/device_job_observer.h"
#include "model/prompter.h"

namespace liftvox {

// Runs one device job (programming, read-back, firmware upload, hardware
// query) at a time on a worker thread, for a dialog on the GUI thread. It is
// the one worker behind every device dialog, in place of a thread class per
// kind of job (`TDetekceHWThread`, `TProgramovaniThread`, `TNacteniThread`).
//
// The job never touches a widget: what it shows reaches the GUI thread as
// queued signals, and its messages and questions are shown there by the
// prompter given to SetPrompter while the worker waits for the answer. A stop
// request is an atomic flag the job polls. When the job has returned, the
// completion it handed back runs on the GUI thread, Running() turns false
// just before it, and Finished follows.
//
// Destroying the runner while a job runs asks the job to stop, answers a
// pending question No and waits for the worker.
class DeviceJobRunner final : public QObject {
  Q_OBJECT

 public:
  // Runs on the GUI thread once the job has ended; it carries the job's
  // result by value. May be empty.
  using Completion = std::function<void()>;
  // Runs on the worker. The prompter and the observer are valid for the call.
  using Job = std::function<Completion(Prompter& prompter, DeviceJobObserver& observer)>;

  explicit DeviceJobRunner(QObject* parent = nullptr);
  ~DeviceJobRunner() override;

  // Who shows the job's messages and questions, on the GUI thread (a null
  // prompter shows nothing and answers No). Set while no job runs.
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }

  // Starts `job` on a worker; false while another job runs.
  bool Start(Job job);
  // Asks the running job to stop; it ends as soon as it can leave the
  // announcer in order.
  void RequestStop() { stop_.store(true); }
  bool StopRequested() const { return stop_.load(); }
  bool Running() const { return running_.load(); }

 signals:
  void PortChanged(const QString& label);
  void ProgressChanged(int percent, const QString& text);
  void ErrorCountChanged(int count);
  void StatusChanged(liftvox::StatusPanel panel, const QString& text);
  // A programming run's pages start being written or read back.
  void PhaseChanged(liftvox::TransferPhase phase);
  void Finished();

 private:
  class WorkerSide;

  void OnJobEnded(const Completion& completion);
  // Runs `show` with the prompter on the GUI thread and waits for it.
  Answer OnGuiThread(std::function<Answer(Prompter&)> show);

  Prompter* prompter_ = nullptr;  // GUI thread only
  std::unique_ptr<WorkerSide> workerSide_;
  std::thread worker_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stop_{false};
  std::atomic<bool> abandoned_{false};  // the runner is going away
};

}  // namespace liftvox
