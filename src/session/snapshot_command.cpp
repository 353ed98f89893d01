#include "app/snapshot_command.h"

#include "model/document.h"

namespace liftvox {

SharedSnapshot MakeSharedSnapshot(const TPametRevazie& document) {
  auto configuration = std::make_shared<ConfigurationSnapshot>(TakeSnapshot(document));
  const SelectionSnapshot selection = configuration->Selection;
  return {std::move(configuration), selection};
}

SnapshotCommand::SnapshotCommand(TPametRevazie& document, const QString& name,
                                 SharedSnapshot before, SharedSnapshot after)
    : QUndoCommand(name),
      document_(document),
      before_(std::move(before)),
      after_(std::move(after)) {}

void SnapshotCommand::undo() {
  Restore(before_);
  done_ = false;
}

void SnapshotCommand::redo() {
  if (done_) return;
  Restore(after_);
  done_ = true;
}

void SnapshotCommand::Restore(const SharedSnapshot& snapshot) {
  if (snapshot.configuration->Selection == snapshot.selection) {
    RestoreSnapshot(document_, *snapshot.configuration);
    return;
  }
  ConfigurationSnapshot withSelection = *snapshot.configuration;
  withSelection.Selection = snapshot.selection;
  RestoreSnapshot(document_, withSelection);
}

}  // namespace liftvox
