#include "session/memory_size_detection.h"

#include "device/announcer_session.h"

namespace liftvox {

MemorySizeDetection::MemorySizeDetection(AnnouncerSession& session, DeviceJobObserver& observer,
                                         QObject* parent)
    : QObject(parent), session_(session), observer_(observer) {}

MemorySizeDetection::~MemorySizeDetection() {
  if (worker_.joinable()) worker_.join();
}

bool MemorySizeDetection::Start(bool selectPortFirst) {
  if (running_.exchange(true)) return false;
  if (worker_.joinable()) worker_.join();  // the last one has finished
  worker_ = std::thread([this, selectPortFirst] {
    qint64 bytes = 0;
    try {
      const AnnouncerSession::RunScope run(session_);
      if (selectPortFirst) session_.SelectPort(observer_);
      bytes = session_.DetectMemorySize(observer_);
    } catch (...) {
      // A port error on the way leaves the size unknown, as if nothing answered.
    }
    running_.store(false);
    emit Finished(bytes);  // queued to the receivers on the GUI thread
  });
  return true;
}

}  // namespace liftvox
