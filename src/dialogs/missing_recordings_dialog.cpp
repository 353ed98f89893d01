#include "dialogs/missing_recordings_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "base/message_format.h"
#include "config/file_name_bytes.h"
#include "config/paths.h"
#include "dialogs/background_recording_search.h"
#include "dialogs/button_row.h"
#include "lang/caption_names.h"
#include "model/document.h"
#include "model/translator.h"
#include "ui/plain_text.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::missing_recordings;

enum Column { kSequences, kStoredPath, kState, kFile, kColumnCount };

bool IsMissing(RecordingState state) {
  return state == RecordingState::Missing || state == RecordingState::Ambiguous;
}

QString Readable(const std::string& path) { return QString::fromStdString(ReadableFileName(path)); }

// A cell that shows `text` as it is, with all of it in the tooltip.
QTableWidgetItem* Cell(const QString& text, const QString& toolTip) {
  auto* cell = new QTableWidgetItem(text);
  cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  cell->setToolTip(PlainToolTip(toolTip));
  return cell;
}

}  // namespace

MissingRecordingsDialog::MissingRecordingsDialog(QWidget* parent)
    : CaptionedDialog("MissingRecordingsDialog", parent),
      search_(new BackgroundRecordingSearch(this)) {
  captions_.Title(this, ids::kTitle);
  intro_ = captions_.Text(new QLabel(this), ids::kIntro);
  nothingMissing_ = captions_.Text(new QLabel(this), ids::kNothingMissing);
  table_ = new QTableWidget(0, kColumnCount, this);
  const int headers[kColumnCount] = {ids::kSequencesColumn, ids::kStoredPathColumn,
                                     ids::kStateColumn, ids::kFileColumn};
  for (int column = 0; column < kColumnCount; ++column)
    table_->setHorizontalHeaderItem(column, captions_.Text(new QTableWidgetItem, headers[column]));
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Paths keep their file names in sight.
  table_->setTextElideMode(Qt::ElideMiddle);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setColumnWidth(kSequences, 150);
  table_->setColumnWidth(kStoredPath, 280);
  searching_ = captions_.Text(new QLabel(this), ids::kSearching);
  proposedNote_ = captions_.Text(new QLabel(this), ids::kProposedNote);
  searchCutNote_ = new QLabel(this);
  searchCutNote_->setWordWrap(true);

  searchFolder_ = captions_.Text(new QPushButton(this), ids::kSearchFolder);
  chooseFile_ = captions_.Text(new QPushButton(this), ids::kChooseFile);
  ok_ = captions_.Text(new QPushButton(this), ids::kOk);
  auto* cancel = captions_.Text(new QPushButton(this), ids::kCancel);
  ok_->setObjectName("Ok");
  chooseFile_->setObjectName("ChooseFile");
  auto* tools = new QHBoxLayout;
  tools->addWidget(searchFolder_);
  tools->addWidget(chooseFile_);
  tools->addWidget(searching_);
  tools->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro_);
  layout->addWidget(nothingMissing_);
  layout->addWidget(table_);
  layout->addLayout(tools);
  layout->addWidget(proposedNote_);
  layout->addWidget(searchCutNote_);
  layout->addLayout(ButtonRow({ok_, cancel}));
  ShowLabelsAsPlainText(this);
  resize(860, 400);

  connect(searchFolder_, &QPushButton::clicked, this, &MissingRecordingsDialog::AskFolder);
  connect(chooseFile_, &QPushButton::clicked, this, &MissingRecordingsDialog::AskFile);
  connect(table_, &QTableWidget::itemSelectionChanged, this,
          &MissingRecordingsDialog::UpdateControls);
  connect(table_, &QTableWidget::cellDoubleClicked, this, &MissingRecordingsDialog::AskFile);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(search_, &BackgroundRecordingSearch::Finished, this,
          &MissingRecordingsDialog::OnSearchFinished);
  TranslateLists(CzechTranslator());
}

MissingRecordingsDialog::~MissingRecordingsDialog() = default;

void MissingRecordingsDialog::RegisterCaptions(CaptionTable& captions) {
  captions_.RegisterWith(captions);
}

void MissingRecordingsDialog::TranslateLists(const Translator& translator) {
  stateTexts_ = {TranslatedText(translator, "RecordingStateFound"),
                 TranslatedText(translator, "RecordingStateFoundElsewhere"),
                 TranslatedText(translator, "RecordingStateMissing"),
                 TranslatedText(translator, "RecordingStateAmbiguous")};
  const RecordingSearchLimits limits;
  searchCutNote_->setText(QString::fromStdString(
      FormatMessage(TranslatedText(translator, "RecordingSearchCut").toStdString(), limits.maxDepth,
                    limits.maxEntries)));
  fileFilter_ = TranslatedText(translator, "WaveFileFilter");
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) ShowRow(row);
  UpdateControls();
}

void MissingRecordingsDialog::Fill(const TPametRevazie& document) {
  ++generation_;
  rows_.clear();
  for (const RecordingUse& use : RecordingsInUse(document)) {
    QStringList names;
    for (const int index : use.sequences) {
      const std::string& name = document.SequenceAt(index)->Name;
      names << (name.empty() ? QString::number(index + 1) : QString::fromStdString(name));
    }
    rows_.push_back({*use.location, names.join(", "), std::nullopt, false});
  }
  searchInput_ = BackgroundRecordingSearch::SearchInput(document);
  searchCut_ = document.Recordings.SearchCut();
  if (startFolder_.isEmpty() && !document.CurrentFileName().empty())
    startFolder_ = QFileInfo(QString::fromStdString(document.CurrentFileName())).absolutePath();

  table_->clearContents();
  table_->setRowCount(static_cast<int>(rows_.size()));
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) ShowRow(row);
  table_->setCurrentCell(rows_.empty() ? -1 : 0, 0);
  UpdateControls();
}

bool MissingRecordingsDialog::Open(const TPametRevazie& document) {
  Fill(document);
  return exec() == QDialog::Accepted;
}

void MissingRecordingsDialog::ShowRow(int row) {
  const Row& shown = rows_[static_cast<std::size_t>(row)];
  const RecordingLocation& now = shown.proposed ? *shown.proposed : shown.location;
  const QString stored = Readable(shown.location.storedPath);
  QStringList files;
  if (now.state == RecordingState::Ambiguous) {
    for (const std::string& candidate : now.candidates) files << Readable(candidate);
  } else if (!IsMissing(now.state)) {
    files << Readable(now.usedPath);
  }
  const QString state = stateTexts_[static_cast<std::size_t>(now.state)];
  table_->setItem(row, kSequences, Cell(shown.sequences, shown.sequences));
  table_->setItem(row, kStoredPath, Cell(stored, stored));
  table_->setItem(row, kState, Cell(state, state));
  table_->setItem(row, kFile, Cell(files.join("; "), files.join('\n')));
  if (IsMissing(now.state)) table_->item(row, kState)->setForeground(QColor(Qt::red));
  for (int column = 0; column < kColumnCount; ++column) {
    QTableWidgetItem* cell = table_->item(row, column);
    QFont font = cell->font();
    font.setBold(shown.proposed.has_value());
    cell->setFont(font);
  }
}

void MissingRecordingsDialog::UpdateControls() {
  const bool searching = search_->Running();
  const bool any = !rows_.empty();
  intro_->setVisible(any);
  nothingMissing_->setVisible(!any);
  searching_->setVisible(searching);
  searchCutNote_->setVisible(searchCut_);
  proposedNote_->setVisible(
      std::any_of(rows_.begin(), rows_.end(), [](const Row& row) { return row.proposed; }));
  searchFolder_->setEnabled(any && !searching);
  chooseFile_->setEnabled(table_->currentRow() >= 0 && !searching);
  ok_->setEnabled(!searching);
  // A state's text is short, but longer in some languages than others.
  table_->resizeColumnToContents(kState);
}

bool MissingRecordingsDialog::Searching() const { return search_->Running(); }

bool MissingRecordingsDialog::SearchFolder(const std::filesystem::path& folder) {
  if (!searchInput_ || !search_->Start(searchInput_, folder)) return false;
  searchGeneration_ = generation_;
  UpdateControls();
  return true;
}

void MissingRecordingsDialog::OnSearchFinished(const RecordingSearch& search) {
  if (searchGeneration_ == generation_) MergeSearch(search);
  UpdateControls();
  emit SearchFinished();
}

void MissingRecordingsDialog::MergeSearch(const RecordingSearch& search) {
  searchCut_ = searchCut_ || search.searchCut;
  for (const RecordingChange& change : search.changes) {
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
      Row& target = rows_[static_cast<std::size_t>(row)];
      if (target.location.usedPath != change.fileName || target.chosen) continue;
      if (change.location.state == RecordingState::Ambiguous && target.proposed &&
          !IsMissing(target.proposed->state))
        continue;
      target.proposed = change.location;
      ShowRow(row);
    }
  }
  UpdateControls();
}

void MissingRecordingsDialog::ChooseFile(int row, const std::string& file) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  Row& target = rows_[static_cast<std::size_t>(row)];
  const RecordingLocation& now = target.location;
  if (file != now.usedPath) {
    target.proposed = RecordingLocation{now.storedPath, file, RecordingState::FoundElsewhere, {}};
    target.chosen = true;
  } else if (IsMissing(now.state)) {
    target.proposed = RecordingLocation{now.storedPath, file, RecordingState::Found, {}};
    target.chosen = true;
  } else {
    target.proposed.reset();  // the file the samples use already
    target.chosen = false;
  }
  ShowRow(row);
  UpdateControls();
}

std::vector<RecordingChange> MissingRecordingsDialog::Changes() const {
  std::vector<RecordingChange> changes;
  for (const Row& row : rows_)
    if (row.proposed) changes.push_back({row.location.usedPath, *row.proposed});
  return changes;
}

QString MissingRecordingsDialog::TitleOf(const QPushButton* button) {
  QString title = button->text().remove('&');
  if (title.endsWith("...")) title.chop(3);
  return title.trimmed();
}

void MissingRecordingsDialog::AskFolder() {
  const QString folder =
      QFileDialog::getExistingDirectory(this, TitleOf(searchFolder_), startFolder_);
  if (folder.isEmpty()) return;
  startFolder_ = folder;
  SearchFolder(PathFromUtf8(QDir::toNativeSeparators(folder).toStdString()));
}

void MissingRecordingsDialog::AskFile() {
  const int row = table_->currentRow();
  if (row < 0 || search_->Running()) return;
  const Row& target = rows_[static_cast<std::size_t>(row)];
  const RecordingLocation& now = target.proposed ? *target.proposed : target.location;
  // Where the recording was found or might be, else where the last search looked.
  QString start = startFolder_;
  const std::string& near = now.state == RecordingState::Ambiguous && !now.candidates.empty()
                                ? now.candidates.front()
                                : now.usedPath;
  const QFileInfo nearInfo(QString::fromStdString(near));
  if (nearInfo.absoluteDir().exists()) start = nearInfo.absolutePath();
  const QString file = QFileDialog::getOpenFileName(this, TitleOf(chooseFile_), start, fileFilter_);
  if (file.isEmpty()) return;
  ChooseFile(row, PathToUtf8(PathFromUtf8(QDir::toNativeSeparators(file).toStdString())));
}

}  // namespace liftvox
