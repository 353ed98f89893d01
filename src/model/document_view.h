#pragma once

namespace liftvox {

// What the document tells the view that shows it (the GUI's workspace).
// Every method has an empty default, so the CLI and tests need not care.
class DocumentView {
 public:
  virtual ~DocumentView() = default;
  // The layout changed: recompute scroll ranges and take the keyboard focus.
  virtual void Refresh() {}
  // The selection moved: scroll it into view and redraw.
  virtual void ShowSelection() {}
};

}  // namespace liftvox
