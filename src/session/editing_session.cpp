#include "session/editing_session.h"

#include <QScopedValueRollback>

#include "audio/wave_length_cache.h"
#include "commands/image_file_commands.h"
#include "config/configuration_file.h"
#include "config/dil_file.h"
#include "image/image_builder.h"
#include "model/editing.h"
#include "model/snapshot.h"
#include "session/snapshot_command.h"

namespace liftvox {

EditingSession::EditingSession(QObject* parent)
    : QObject(parent),
      view_([this](const CoalescingDocumentView::Pending& pending) { OnDocumentChanges(pending); },
            [this] { emit MarksChanged(); }) {
  document_.SetView(&view_);
  document_.SetSampleLengthMeasure(CachedWaveLengthMeasure());
  undoStack_.setUndoLimit(kUndoLimit);
  connect(&undoStack_, &QUndoStack::cleanChanged, this,
          [this](bool clean) { document_.SetModified(!clean); });
}

EditingSession::~EditingSession() {
  // Clearing the history on the way out must not reach a half-gone session.
  undoStack_.disconnect(this);
  document_.SetView(nullptr);
}

ImageSettings EditingSession::CurrentImageSettings() const {
  return imageSettings_ ? imageSettings_() : ImageSettings{};
}

std::shared_ptr<const ConfigurationSnapshot> EditingSession::LatestConfiguration() const {
  const int index = undoStack_.index();
  if (index > 0)
    return static_cast<const SnapshotCommand*>(undoStack_.command(index - 1))
        ->After()
        .configuration;
  if (undoStack_.count() > 0)
    return static_cast<const SnapshotCommand*>(undoStack_.command(0))->Before().configuration;
  return nullptr;
}

void EditingSession::Edit(const QString& stepName, const std::function<void()>& change) {
  if (editing_) {
    change();
    return;
  }
  const QScopedValueRollback<bool> editing(editing_, true);
  std::shared_ptr<const ConfigurationSnapshot> latest = LatestConfiguration();
  auto configuration =
      std::make_shared<const ConfigurationSnapshot>(TakeSnapshot(document_, latest.get()));
  // Nothing changed since the last step: its "after" is this one's "before".
  if (latest && *configuration == *latest) configuration = std::move(latest);
  SessionState before{std::move(configuration), TakeSelection(document_)};

  change();

  auto after = std::make_shared<const ConfigurationSnapshot>(
      TakeSnapshot(document_, before.configuration.get()));
  if (*after == *before.configuration) return;
  document_.MarkImageStale();
  undoStack_.push(new SnapshotCommand(document_, stepName, std::move(before),
                                      {std::move(after), TakeSelection(document_)}));
}

void EditingSession::EditAsLoaded(const QString& stepName, const std::function<void()>& load) {
  const int stepsBefore = undoStack_.index();
  Edit(stepName, load);
  if (undoStack_.index() != stepsBefore) undoStack_.setClean();
  FlushChanges();
}

void EditingSession::ForgetUndoIfReplaced(const ConfigurationSnapshot& before) {
  if (TakeSnapshot(document_, &before) != before) undoStack_.clear();
}

bool EditingSession::NewConfiguration() {
  if (!liftvox::NewConfiguration(document_)) return false;
  undoStack_.clear();
  FlushChanges();
  const ImageSettings settings = CurrentImageSettings();
  // The announcer gets a valid empty image until the first build.
  if (document_.UsedMemory == 0 && settings.memorySizeCode >= 0) SestavPamet(document_, settings);
  Estimate();
  return true;
}

bool EditingSession::OpenConfiguration(const std::filesystem::path& path,
                                       const JobProgress& progress) {
  const ConfigurationSnapshot before = TakeSnapshot(document_, LatestConfiguration().get());
  const bool opened = liftvox::OpenConfiguration(document_, path, progress);
  // A file read is a new start even when it holds the same configuration.
  if (opened)
    undoStack_.clear();
  else
    ForgetUndoIfReplaced(before);
  FlushChanges();
  Estimate();
  return opened;
}

bool EditingSession::SaveConfiguration(const std::filesystem::path& path) {
  const bool saved = liftvox::SaveConfiguration(document_, path);
  if (saved) undoStack_.setClean();
  return saved;
}

void EditingSession::OpenImageFile(const std::filesystem::path& path) {
  const ConfigurationSnapshot before = TakeSnapshot(document_, LatestConfiguration().get());
  LoadImageFile(document_, CurrentImageSettings(), path);
  ForgetUndoIfReplaced(before);
  FlushChanges();
  emit UsageChanged();
}

void EditingSession::LoadDilFile(const QString& stepName, const std::filesystem::path& path) {
  Edit(stepName, [&] {
    // The loader changes the list without a word; the grid shows its icons.
    if (liftvox::LoadDilFile(document_, path)) document_.NotifyContentChanged();
  });
  FlushChanges();
}

void EditingSession::SetMemorySize(int64_t bytes) {
  document_.SetMemorySize(static_cast<int32_t>(bytes));
  Estimate();
}

void EditingSession::Estimate() {
  estimator_.OdhadniPamet(document_, CurrentImageSettings());
  emit UsageChanged();
}

void EditingSession::OnDocumentChanges(const CoalescingDocumentView::Pending& pending) {
  if (pending.content) {
    Estimate();
    emit ContentChanged(pending.sequenceIndex);
  }
  if (pending.selection) emit SelectionChanged();
}

}  // namespace liftvox
