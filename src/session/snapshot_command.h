#pragma once

#include <QUndoCommand>

#include <memory>

#include "model/snapshot.h"

namespace liftvox {

class TPametRevazie;

// The configuration at one moment with the selection of that moment. The
// configuration part is shared: one step's "after" is usually the next
// step's "before", and a large configuration is kept once, not twice.
struct SharedSnapshot {
  std::shared_ptr<const ConfigurationSnapshot> configuration;
  SelectionSnapshot selection;
};

SharedSnapshot MakeSharedSnapshot(const TPametRevazie& document);

// One undo step: the configuration before and after a change. The change has
// already happened when the step is pushed, so the first redo does nothing.
class SnapshotCommand final : public QUndoCommand {
 public:
  SnapshotCommand(TPametRevazie& document, const QString& name, SharedSnapshot before,
                  SharedSnapshot after);

  void undo() override;
  void redo() override;

  const SharedSnapshot& After() const { return after_; }

 private:
  void Restore(const SharedSnapshot& snapshot);

  TPametRevazie& document_;
  SharedSnapshot before_;
  SharedSnapshot after_;
  bool done_ = true;
};

}  // namespace liftvox
