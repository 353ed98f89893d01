#pragma once

#include <QUndoCommand>

#include <memory>

#include "model/snapshot.h"

namespace liftvox {

class TPametRevazie;

// The configuration at one moment with the selection of that moment. The
// configuration is shared: one step's "after" is usually the next step's
// "before", and the sequences an edit left alone are shared with the steps
// around it.
struct SessionState {
  std::shared_ptr<const ConfigurationSnapshot> configuration;
  SelectionSnapshot selection;
};

// One undo step: the configuration before and after a change. The change has
// already happened when the step is pushed, so the first redo does nothing.
class SnapshotCommand final : public QUndoCommand {
 public:
  SnapshotCommand(TPametRevazie& document, const QString& name, SessionState before,
                  SessionState after);

  void undo() override;
  void redo() override;

  const SessionState& Before() const { return before_; }
  const SessionState& After() const { return after_; }

 private:
  TPametRevazie& document_;
  SessionState before_;
  SessionState after_;
  bool done_ = true;
};

}  // namespace liftvox
