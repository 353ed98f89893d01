#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <filesystem>
#include <functional>
#include <memory>

#include "base/job_progress.h"
#include "image/image_settings.h"
#include "image/memory_estimate.h"
#include "model/document.h"
#include "session/coalescing_view.h"

namespace liftvox {

struct ConfigurationSnapshot;

// The editing of the one configuration (`TPametRevazie`): the document with
// its undo history, the memory estimate and what the views hear of both. The
// main window, the workspace, the dialogs' commands and the tests all edit
// through it; it shows nothing itself.
//
// - Every change goes through Edit and becomes one undo step; a change that
//   leaves the configuration as it was adds none, and a change made inside
//   another belongs to the outer step. Moving the selection is no change.
// - The unsaved-changes mark follows the undo history: it is clear exactly at
//   the step that was last saved (or loaded).
// - The image is stale after every step, undo and redo; only a build clears it.
// - The document's notifications are gathered and passed on once control
//   returns to the event loop (or at FlushChanges), after a fresh estimate.
//
// The owner gives the document its translator and prompter; the session sets
// its view and the measure of WAV lengths.
class EditingSession final : public QObject {
  Q_OBJECT

 public:
  // Steps kept for undo.
  static constexpr int kUndoLimit = 100;

  explicit EditingSession(QObject* parent = nullptr);
  ~EditingSession() override;

  TPametRevazie& Document() { return document_; }
  const TPametRevazie& Document() const { return document_; }
  QUndoStack& UndoStack() { return undoStack_; }

  // Where estimates and builds take the image settings from (the memory size
  // of the announcer, the interface); unset: the defaults.
  void SetImageSettingsSource(std::function<ImageSettings()> source) {
    imageSettings_ = std::move(source);
  }
  ImageSettings CurrentImageSettings() const;

  // Runs `change` as one undo step named `stepName` for the user.
  void Edit(const QString& stepName, const std::function<void()>& change);
  // As Edit, for a configuration read from the announcer: undo can take it
  // back, but it stands unmodified, as a file just opened does.
  void EditAsLoaded(const QString& stepName, const std::function<void()>& load);

  // The document commands that replace or store the whole configuration. A
  // configuration read anew (new, an opened file) cannot be undone; one that
  // a failed read changed forgets the history too. All estimate at the end.
  // New asks about unsaved changes first (false when cancelled) and builds
  // an empty image when none was built yet.
  bool NewConfiguration();
  bool OpenConfiguration(const std::filesystem::path& path, const JobProgress& progress = {});
  // A successful save makes the current step the saved one.
  bool SaveConfiguration(const std::filesystem::path& path);
  // A memory image file (.BIN) and the configuration stored in it.
  void OpenImageFile(const std::filesystem::path& path);
  // A .DIL file's entries, as one undo step.
  void LoadDilFile(const QString& stepName, const std::filesystem::path& path);
  // The announcer's memory size, in bytes (0 while unknown).
  void SetMemorySize(int64_t bytes);

  // Estimates the image size now (UsedMemory) and tells UsageChanged.
  void Estimate();
  // The redraw and estimate that document changes scheduled, done now.
  void FlushChanges() { view_.FlushNow(); }

 signals:
  // Gathered document changes: one sequence's content (or
  // DocumentView::kWholeDocument), then the selection. The estimate is done.
  void ContentChanged(int sequenceIndex);
  void SelectionChanged();
  // The unsaved-changes mark or the file name changed (the window caption).
  void MarksChanged();
  // UsedMemory or MemorySize may have changed (the memory gauge).
  void UsageChanged();

 private:
  void OnDocumentChanges(const CoalescingDocumentView::Pending& pending);
  // The configuration of the step the history stands at, to share from.
  std::shared_ptr<const ConfigurationSnapshot> LatestConfiguration() const;
  // Steps of another configuration cannot be undone in this one.
  void ForgetUndoIfReplaced(const ConfigurationSnapshot& before);

  CoalescingDocumentView view_;
  TPametRevazie document_;
  MemoryEstimator estimator_;
  std::function<ImageSettings()> imageSettings_;
  QUndoStack undoStack_;  // after the document: its steps refer to it
  bool editing_ = false;
};

}  // namespace liftvox
