#include "dialogs/device_job_runner.h"

#include <chrono>
#include <future>

namespace liftvox {

// What the job sees of the runner: signals for the display, the GUI thread's
// prompter behind a wait, the stop flag.
class DeviceJobRunner::WorkerSide final : public Prompter, public DeviceJobObserver {
 public:
  explicit WorkerSide(DeviceJobRunner& runner) : runner_(runner) {}

  void Inform(const Message& message) override {
    runner_.OnGuiThread([message](Prompter& shown) {
      shown.Inform(message);
      return Answer::Yes;
    });
  }
  void Warn(const Message& message) override {
    runner_.OnGuiThread([message](Prompter& shown) {
      shown.Warn(message);
      return Answer::Yes;
    });
  }
  Answer AskYesNo(const Message& message) override {
    return runner_.OnGuiThread([message](Prompter& asked) { return asked.AskYesNo(message); });
  }
  Answer AskYesNoCancel(const Message& message) override {
    return runner_.OnGuiThread(
        [message](Prompter& asked) { return asked.AskYesNoCancel(message); });
  }

  void PortChanged(const std::string& label) override {
    emit runner_.PortChanged(QString::fromStdString(label));
  }
  void ProgressChanged(int percent, const std::string& text) override {
    emit runner_.ProgressChanged(percent, QString::fromStdString(text));
  }
  void ErrorCountChanged(int count) override { emit runner_.ErrorCountChanged(count); }
  void StatusChanged(StatusPanel panel, const std::string& text) override {
    emit runner_.StatusChanged(panel, QString::fromStdString(text));
  }
  bool StopRequested() override { return runner_.StopRequested(); }
  void PhaseChanged(TransferPhase phase) override { emit runner_.PhaseChanged(phase); }

 private:
  DeviceJobRunner& runner_;
};

DeviceJobRunner::DeviceJobRunner(QObject* parent)
    : QObject(parent), workerSide_(std::make_unique<WorkerSide>(*this)) {}

DeviceJobRunner::~DeviceJobRunner() {
  abandoned_.store(true);
  stop_.store(true);
  if (worker_.joinable()) worker_.join();
}

bool DeviceJobRunner::Start(Job job) {
  if (running_.exchange(true)) return false;
  if (worker_.joinable()) worker_.join();  // the last one has returned
  stop_.store(false);
  worker_ = std::thread([this, job = std::move(job)] {
    Completion completion;
    try {
      completion = job(*workerSide_, *workerSide_);
    } catch (...) {
      // The core reports through the prompter; an exception that still gets
      // here (a port gone mid-run) ends the job without a result.
    }
    QMetaObject::invokeMethod(
        this, [this, completion = std::move(completion)] { OnJobEnded(completion); },
        Qt::QueuedConnection);
  });
  return true;
}

void DeviceJobRunner::OnJobEnded(const Completion& completion) {
  // The worker posted this as its last act; joining waits for it to return.
  if (worker_.joinable()) worker_.join();
  running_.store(false);
  if (completion) completion();
  emit Finished();
}

Answer DeviceJobRunner::OnGuiThread(std::function<Answer(Prompter&)> show) {
  auto answer = std::make_shared<std::promise<Answer>>();
  std::future<Answer> answered = answer->get_future();
  QMetaObject::invokeMethod(
      this,
      [this, answer, show = std::move(show)] {
        answer->set_value(prompter_ ? show(*prompter_) : Answer::No);
      },
      Qt::QueuedConnection);
  // Not a blocking queued call: a runner that goes away while the box waits
  // for the user must still be able to end its worker.
  while (answered.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
    if (abandoned_.load()) return Answer::No;
  }
  return answered.get();
}

}  // namespace liftvox
