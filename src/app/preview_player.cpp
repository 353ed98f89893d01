#include "app/preview_player.h"

#include <QDir>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>

#include <exception>
#include <type_traits>

#include "config/paths.h"
#include "model/document.h"
#include "model/translator.h"

namespace liftvox {
namespace {

// A render says false when it was stopped; one that says nothing always ends.
template <typename Render>
bool Rendered(Render& render, const std::filesystem::path& file) {
  if constexpr (std::is_void_v<std::invoke_result_t<Render&, const std::filesystem::path&>>) {
    render(file);
    return true;
  } else {
    return render(file);
  }
}

}  // namespace

PreviewPlayer::PreviewPlayer(const Translator& translator, QAudioDevice output, QObject* parent)
    : QObject(parent), translator_(translator), output_(std::move(output)) {}

PreviewPlayer::~PreviewPlayer() { Stop(); }

QString PreviewPlayer::UnableToPlay() const {
  return QString::fromStdString(translator_.Translate("UnableToPlay", "Zvuk nelze přehrát"));
}

void PreviewPlayer::PlayFile(const QString& file) {
  // Through the builder's reader, so whatever it takes plays (and a name that
  // is no UTF-8 plays too).
  const std::filesystem::path path = PathFromUtf8(file.toStdString());
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;
  PlayRendered(
      [&path](const std::filesystem::path& preview) { return RenderFilePreview(preview, path); });
}

bool PreviewPlayer::PlaySequence(const TPametRevazie& document, int sequenceIndex, uint8_t switches,
                                 const RecordingFilter& filter, const JobProgress& progress) {
  return PlayRendered([&](const std::filesystem::path& file) {
    return RenderSequencePreview(file, document, sequenceIndex, switches, progress, filter);
  });
}

bool PreviewPlayer::PlayAllSequences(const TPametRevazie& document, int firstSequence,
                                     uint8_t switches, const RecordingFilter& filter,
                                     const JobProgress& progress) {
  return PlayRendered([&](const std::filesystem::path& file) {
    return RenderAllSequencesPreview(file, document, firstSequence, switches, progress, filter);
  });
}

bool PreviewPlayer::PlayRecording(const std::string& recording, const RecordingFilter& filter,
                                  const JobProgress& progress) {
  return PlayRendered([&](const std::filesystem::path& file) {
    return RenderRecordingPreview(file, recording, progress, filter);
  });
}

template <typename Render>
bool PreviewPlayer::PlayRendered(Render render) {
  // A unique name in the temporary folder; the preview is written over it.
  QTemporaryFile reserved(QDir::tempPath() + "/pcmXXXXXX.wav");
  reserved.setAutoRemove(false);
  if (!reserved.open()) {
    emit CannotPlay(UnableToPlay());
    return false;
  }
  const QString name = reserved.fileName();
  reserved.close();
  try {
    // A stopped preview leaves nothing to play, and needs no word.
    if (!Rendered(render, PathFromUtf8(name.toStdString()))) {
      QFile::remove(name);
      return false;
    }
  } catch (const std::exception& error) {
    QFile::remove(name);
    emit CannotPlay(UnableToPlay() + " (" + QString::fromStdString(error.what()) + ")");
    return false;
  }
  if (effect_) effect_->stop();
  DeletePreviewFile();
  previewFile_ = name;
  Play(name);
  return true;
}

void PreviewPlayer::Play(const QString& file) {
  if (output_.isNull()) {
    emit CannotPlay(UnableToPlay());
    return;
  }
  if (!effect_) {
    effect_ = std::make_unique<QSoundEffect>(output_);
    connect(effect_.get(), &QSoundEffect::statusChanged, this, [this] {
      if (effect_->status() == QSoundEffect::Error) emit CannotPlay(UnableToPlay());
    });
  }
  effect_->stop();
  effect_->setSource(QUrl::fromLocalFile(file));
  effect_->play();
}

void PreviewPlayer::Stop() {
  if (effect_) {
    effect_->stop();
    // Let go of the file so it can be deleted on every platform.
    effect_->setSource(QUrl());
  }
  DeletePreviewFile();
}

void PreviewPlayer::DeletePreviewFile() {
  if (previewFile_.isEmpty()) return;
  QFile::remove(previewFile_);
  previewFile_.clear();
}

}  // namespace liftvox
