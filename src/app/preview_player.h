#pragma once

#include <QAudioDevice>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

#include "audio/preview.h"
#include "base/job_progress.h"

class QSoundEffect;

namespace liftvox {

class TPametRevazie;
class Translator;

// What the user hears: a WAV file at its own rate, or a sequence rendered as the
// announcer would say it into a temporary "pcm*.wav" file. One sound at a
// time; a new one replaces the last. The temporary file goes on Stop, on the
// next preview and with the player. Without a sound output the preview is
// still rendered and CannotPlay says why nothing is heard; nothing waits.
class PreviewPlayer final : public QObject {
  Q_OBJECT

 public:
  // `output` is the device to play on; a null device means there is none.
  PreviewPlayer(const Translator& translator, QAudioDevice output, QObject* parent = nullptr);
  ~PreviewPlayer() override;

  // Plays `file`, if it exists, as the builder reads it at its own rate.
  void PlayFile(const QString& file);
  // Renders then plays, each recording through `filter` (as the announcer
  // will play it); false (CannotPlay told) when a sample cannot be read, and
  // false too when `progress` stopped it.
  bool PlaySequence(const TPametRevazie& document, int sequenceIndex, uint8_t switches,
                    const RecordingFilter& filter = {}, const JobProgress& progress = {});
  bool PlayAllSequences(const TPametRevazie& document, int firstSequence, uint8_t switches,
                        const RecordingFilter& filter = {}, const JobProgress& progress = {});
  // One sample's recording (its stored file name) rendered the same way.
  bool PlayRecording(const std::string& recording, const RecordingFilter& filter,
                     const JobProgress& progress = {});
  // Silences the sound and deletes the temporary preview file.
  void Stop();

  // The last rendered preview still on disk, or empty.
  QString PreviewFile() const { return previewFile_; }

 signals:
  // A translated reason for the status bar.
  void CannotPlay(const QString& reason);

 private:
  template <typename Render>
  bool PlayRendered(Render render);
  void Play(const QString& file);
  void DeletePreviewFile();
  QString UnableToPlay() const;

  const Translator& translator_;
  QAudioDevice output_;
  std::unique_ptr<QSoundEffect> effect_;
  QString previewFile_;
};

}  // namespace liftvox
