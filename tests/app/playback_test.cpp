// Previews on a machine without a sound output: rendered, reported, cleaned
// up, and nothing waits for a device that is not there.
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "app/preview_player.h"
#include "config/paths.h"
#include "model/document.h"
#include "model/translator.h"
#include "support/test_support.h"

namespace liftvox {

class PlaybackTest : public QObject {
  Q_OBJECT

 private:
  CzechTranslator czech_;
  std::string recording_ = PathToUtf8(test::BinDir() / "Languages" / "cs" / "up.wav");

  void AddSequenceWithRecording(TPametRevazie& document) {
    auto sequence = std::make_unique<TSekvence>();
    sequence->Repeat = 255;
    TSekvence* added = document.AddSequence(std::move(sequence));
    auto sample = std::make_unique<TVzorek>();
    sample->SetFileName(recording_);
    document.AppendSample(added, std::move(sample));
  }

 private slots:
  void SequenceWithoutSoundOutputIsRenderedAndReported() {
    TPametRevazie document;
    AddSequenceWithRecording(document);
    QString preview;
    {
      PreviewPlayer player(czech_, QAudioDevice());
      QSignalSpy cannotPlay(&player, &PreviewPlayer::CannotPlay);
      QVERIFY(player.PlaySequence(document, 0, 0x78));
      preview = player.PreviewFile();
      QVERIFY(QFileInfo(preview).size() > 1000);  // header and the recording
      QCOMPARE(cannotPlay.count(), 1);
      QCOMPARE(cannotPlay.at(0).at(0).toString(), QString("Zvuk nelze přehrát"));

      // The next preview replaces the file; Stop removes it.
      QVERIFY(player.PlayAllSequences(document, 0, 0x78));
      QVERIFY(!QFileInfo::exists(preview));
      preview = player.PreviewFile();
      QVERIFY(QFileInfo::exists(preview));
      player.Stop();
      QVERIFY(!QFileInfo::exists(preview));
      QVERIFY(player.PreviewFile().isEmpty());

      QVERIFY(player.PlaySequence(document, 0, 0x78));
      preview = player.PreviewFile();
    }
    // Gone with the player, as at exit.
    QVERIFY(!QFileInfo::exists(preview));
  }

  void FileWithoutSoundOutputIsReported() {
    PreviewPlayer player(czech_, QAudioDevice());
    QSignalSpy cannotPlay(&player, &PreviewPlayer::CannotPlay);
    player.PlayFile(QString::fromStdString(recording_));
    QCOMPARE(cannotPlay.count(), 1);
    player.PlayFile("/no/such/file.wav");  // plays nothing, says nothing
    QCOMPARE(cannotPlay.count(), 1);
    // A coded recording plays as plain PCM at its own rate (8000 Hz).
    player.PlayFile(QString::fromStdString(PathToUtf8(test::TestDataDir() / "audio" / "gsm.wav")));
    QCOMPARE(test::ReadFile(PathFromUtf8(player.PreviewFile().toStdString())).substr(20, 8),
             std::string("\x01\x00\x01\x00\x40\x1f\x00\x00", 8));
  }

  void UnreadableRecordingEndsThePreviewWithTheReason() {
    TPametRevazie document;
    AddSequenceWithRecording(document);
    document.SequenceAt(0)->SampleAt(0)->SetFileName(PathToUtf8(test::TestDataDir() / "no.wav"));
    PreviewPlayer player(czech_, QAudioDevice());
    QSignalSpy cannotPlay(&player, &PreviewPlayer::CannotPlay);
    QVERIFY(!player.PlaySequence(document, 0, 0x78));
    QVERIFY(player.PreviewFile().isEmpty());
    QCOMPARE(cannotPlay.count(), 1);
    QVERIFY(cannotPlay.at(0).at(0).toString().startsWith("Zvuk nelze přehrát ("));
  }
};

}  // namespace liftvox

QTEST_MAIN(liftvox::PlaybackTest)
#include "playback_test.moc"
