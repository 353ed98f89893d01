#include "session/coalescing_view.h"

namespace liftvox {

CoalescingDocumentView::CoalescingDocumentView(std::function<void(const Pending&)> flush,
                                               std::function<void()> marksChanged, QObject* parent)
    : QObject(parent), flush_(std::move(flush)), marksChanged_(std::move(marksChanged)) {
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &CoalescingDocumentView::FlushNow);
}

void CoalescingDocumentView::ContentChanged(int sequenceIndex) {
  if (!pending_.content) {
    pending_.sequenceIndex = sequenceIndex;
  } else if (pending_.sequenceIndex != sequenceIndex) {
    pending_.sequenceIndex = kWholeDocument;
  }
  pending_.content = true;
  if (!timer_.isActive()) timer_.start();
}

void CoalescingDocumentView::SelectionChanged() {
  pending_.selection = true;
  if (!timer_.isActive()) timer_.start();
}

void CoalescingDocumentView::ModifiedChanged(bool) { marksChanged_(); }

void CoalescingDocumentView::FileNameChanged(const std::string&) { marksChanged_(); }

void CoalescingDocumentView::ImageStaleChanged(bool) {}

void CoalescingDocumentView::FlushNow() {
  timer_.stop();
  if (!HasPending()) return;
  const Pending work = pending_;
  pending_ = Pending{};
  flush_(work);
}

}  // namespace liftvox
