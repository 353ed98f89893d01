#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

#include "model/document_view.h"

namespace liftvox {

// The document's notifications, gathered: content and selection changes only
// record what changed and start a zero-timer, so a load or a bulk edit that
// changes a thousand things redraws and re-estimates once, when control
// returns to the event loop. The marks (modified, file name, image stale)
// are passed on at once: they only re-text the caption.
class CoalescingDocumentView final : public QObject, public DocumentView {
  Q_OBJECT

 public:
  struct Pending {
    bool content = false;
    int sequenceIndex = kWholeDocument;  // the one sequence changed, or all
    bool selection = false;
  };

  // `flush` does the recorded work; `marks` follows the marks.
  CoalescingDocumentView(std::function<void(const Pending&)> flush,
                         std::function<void()> marksChanged, QObject* parent = nullptr);

  void ContentChanged(int sequenceIndex) override;
  void SelectionChanged() override;
  void ModifiedChanged(bool modified) override;
  void FileNameChanged(const std::string& fileName) override;
  void ImageStaleChanged(bool stale) override;

  // Does what is pending now (commands that must show their result before
  // they return, tests, benchmarks).
  void FlushNow();
  bool HasPending() const { return pending_.content || pending_.selection; }

 private:
  std::function<void(const Pending&)> flush_;
  std::function<void()> marksChanged_;
  Pending pending_;
  QTimer timer_;
};

}  // namespace liftvox
