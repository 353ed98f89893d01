#include "session/snapshot_command.h"

namespace liftvox {

SnapshotCommand::SnapshotCommand(TPametRevazie& document, const QString& name, SessionState before,
                                 SessionState after)
    : QUndoCommand(name),
      document_(document),
      before_(std::move(before)),
      after_(std::move(after)) {}

void SnapshotCommand::undo() {
  RestoreSnapshot(document_, *before_.configuration, before_.selection);
  done_ = false;
}

void SnapshotCommand::redo() {
  if (done_) return;
  RestoreSnapshot(document_, *after_.configuration, after_.selection);
  done_ = true;
}

}  // namespace liftvox
