#pragma once

#include <QString>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/recording_finder.h"
#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"
#include "model/recording_locations.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace liftvox {

class BackgroundRecordingSearch;
class TPametRevazie;

// Missing recordings ("Chybějící nahrávky"): one row for each recording the
// samples use that was not found where the configuration says (missing,
// ambiguous or found elsewhere), with the sequences that use it. A folder
// search and a file the user chooses only propose a new file or state, shown
// in bold; nothing changes before OK, and then the command applies Changes
// as one undo step.
class MissingRecordingsDialog final : public CaptionedDialog {
  Q_OBJECT

 public:
  explicit MissingRecordingsDialog(QWidget* parent);
  ~MissingRecordingsDialog() override;

  void RegisterCaptions(CaptionTable& captions) override;
  void TranslateLists(const Translator& translator) override;

  // The rows of `document` (RecordingsInUse), nothing proposed.
  void Fill(const TPametRevazie& document);
  // Fill and the modal run; true on OK.
  bool Open(const TPametRevazie& document);

  // Searches the tree of `folder` in the background for every row; its
  // proposals come in with MergeSearch. False while a search runs.
  bool SearchFolder(const std::filesystem::path& folder);
  // A search's proposals for the rows. A file the user chose stays, and an
  // ambiguous result never replaces a file proposed before; otherwise the
  // later proposal wins.
  void MergeSearch(const RecordingSearch& search);
  // `file` (a path as the samples would hold it) for the recording of `row`;
  // the very file the samples use ends a missing or ambiguous state.
  void ChooseFile(int row, const std::string& file);
  // What OK applies: every row's proposal, in row order.
  std::vector<RecordingChange> Changes() const;

  bool Searching() const;
  QTableWidget* Table() const { return table_; }

 signals:
  // A search's proposals have been merged (or dropped, after a new Fill).
  void SearchFinished();

 private:
  struct Row {
    RecordingLocation location;
    QString sequences;  // the names of the sequences that use it
    std::optional<RecordingLocation> proposed;
    bool chosen = false;  // the user's own file
  };

  void ShowRow(int row);
  void UpdateControls();
  void OnSearchFinished(const RecordingSearch& search);
  void AskFolder();
  void AskFile();
  // The caption of `button` as a file dialog's title.
  static QString TitleOf(const QPushButton* button);

  std::vector<Row> rows_;
  std::shared_ptr<const TPametRevazie> searchInput_;
  int generation_ = 0;  // a Fill drops the proposals of searches started before
  int searchGeneration_ = 0;
  bool searchCut_ = false;
  QString startFolder_;
  std::array<QString, 4> stateTexts_;  // by RecordingState
  QString fileFilter_;

  BackgroundRecordingSearch* search_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* intro_ = nullptr;
  QLabel* nothingMissing_ = nullptr;
  QLabel* searching_ = nullptr;
  QLabel* searchCutNote_ = nullptr;
  QLabel* proposedNote_ = nullptr;
  QPushButton* searchFolder_ = nullptr;
  QPushButton* chooseFile_ = nullptr;
  QPushButton* ok_ = nullptr;
  DialogCaptions captions_;
};

}  // namespace liftvox
