#pragma once

#include <string>

namespace liftvox {

// What the document tells whoever shows it (the desktop program's main window
// and workspace). Calls come on the thread that changed the document, right
// after the change, or once when a bulk change ends (TPametRevazie::
// BeginBulkChange: loads, restores). A view only records what to redraw and
// does the work later. Every method has an empty default, so the command line
// and tests need not care.
class DocumentView {
 public:
  // ContentChanged's index when the list of sequences itself changed, or when
  // more than one sequence may have.
  static constexpr int kWholeDocument = -1;

  virtual ~DocumentView() = default;

  // Sequences or samples were added, removed, moved or edited: the one
  // sequence `sequenceIndex` (its fields or samples), or kWholeDocument.
  virtual void ContentChanged(int /*sequenceIndex*/) {}
  // The selected sequence or sample, or the focused sample, moved: scroll it
  // into view and redraw.
  virtual void SelectionChanged() {}
  // The unsaved-changes mark changed (the window caption shows it).
  virtual void ModifiedChanged(bool /*modified*/) {}
  // The configuration's file changed ("" while it has none).
  virtual void FileNameChanged(const std::string& /*fileName*/) {}
  // The memory image stopped matching the configuration, or matches it again
  // after a build.
  virtual void ImageStaleChanged(bool /*stale*/) {}
};

}  // namespace liftvox
