#include "ui/sample_browser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "lang/caption_names.h"
#include "ui/browser_list_model.h"
#include "ui/browser_list_view.h"
#include "ui/drag_formats.h"
#include "ui/file_system_roots.h"
#include "ui/icon_associations.h"
#include "ui/path_field.h"
#include "ui/plain_text.h"
#include "ui/translated_text.h"
#include "ui/wave_length_reader.h"

namespace liftvox {
namespace {

constexpr int kFileColumnWidth = 140;
constexpr int kLengthColumnWidth = 60;

// Caption ids of the browser's buttons.
constexpr int kPlayHintId = 1;
constexpr int kStopHintId = 2;
constexpr int kAutoPlayCaptionId = 3;
constexpr int kAutoPlayHintId = 4;
constexpr int kRecentFolderCount = 5;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

// Volumes come and go: the list of roots is rebuilt whenever it opens.
class RootSelector final : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> beforePopup;

  void showPopup() override {
    if (beforePopup) beforePopup();
    QComboBox::showPopup();
  }
};

QToolButton* MakeButton(QWidget* parent, const QString& objectName) {
  auto* button = new QToolButton(parent);
  button->setObjectName(objectName);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  // Clicking must not take the focus from the list: the play command plays
  // the browser's file only while the list has it.
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

struct SampleBrowser::State {
  RootSelector* roots = nullptr;
  PathField* path = nullptr;
  QLabel* missing = nullptr;
  QFileSystemWatcher* watcher = nullptr;
  QTimer* relist = nullptr;
  BrowserListView* list = nullptr;
  BrowserListModel* model = nullptr;
  QToolButton* play = nullptr;
  QToolButton* stop = nullptr;
  QToolButton* autoPlay = nullptr;
  WaveLengthReader* lengths = nullptr;

  std::vector<FileSystemRoot> rootList;
  // The folder last shown on each root, so choosing a root goes back there.
  QHash<QString, QString> lastDirectoryOfRoot;
  QString directory;  // absolute, '/' separators; empty before the first load
  QString silenceCaption;
  PlaceSources places;
  QString missingNote;
  bool descending = false;
};

SampleBrowser::SampleBrowser(const IconLibrary& icons, const Translator& translator,
                             QWidget* parent)
    : QWidget(parent), icons_(icons), translator_(translator), state_(std::make_unique<State>()) {
  State& s = *state_;
  s.roots = new RootSelector(this);
  s.roots->setObjectName("RootSelector");
  s.roots->beforePopup = [this] { RefreshRoots(); };
  s.path = new PathField(this);
  s.path->setObjectName("BrowserPath");
  s.missing = new QLabel(this);
  s.missing->setObjectName("MissingFolder");
  s.missing->setTextFormat(Qt::PlainText);
  s.missing->setWordWrap(true);
  s.missing->hide();
  // A converted copy, or a file saved by another program, shows up without
  // leaving the folder; a burst of changes is listed once.
  s.watcher = new QFileSystemWatcher(this);
  s.relist = new QTimer(this);
  s.relist->setSingleShot(true);
  s.relist->setInterval(200);

  s.model = new BrowserListModel(icons_, this);
  s.model->SetImages(style()->standardIcon(QStyle::SP_DirIcon),
                     style()->standardIcon(QStyle::SP_MediaVolume));
  s.model->SetDecimalPoint(QLocale().decimalPoint());
  s.list = new BrowserListView(this);
  s.list->setObjectName("BrowserList");
  s.list->setModel(s.model);
  s.list->header()->resizeSection(BrowserListModel::kFileColumn, kFileColumnWidth);
  s.list->header()->resizeSection(BrowserListModel::kLengthColumn, kLengthColumnWidth);
  s.list->header()->setSortIndicatorShown(true);
  s.list->header()->setSortIndicator(-1, Qt::AscendingOrder);
  s.list->canDrag = [this](int row) {
    const BrowserItem* item = state_->model->Item(row);
    return item && item->kind != BrowserItemKind::Folder;
  };
  s.list->dragData = [this](int row) -> QMimeData* {
    const BrowserItem* item = state_->model->Item(row);
    if (!item || item->kind == BrowserItemKind::Folder) return nullptr;
    BrowserDragItem dragged;
    dragged.silence = item->kind == BrowserItemKind::Silence;
    if (!dragged.silence) {
      RememberFolder();
      dragged.filePath = QDir::toNativeSeparators(QDir(state_->directory).filePath(item->caption));
      dragged.dilEntryName = item->dilEntryName;
    }
    return MakeBrowserMimeData(dragged);
  };

  s.play = MakeButton(this, "PlayButton");
  s.play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  s.play->setToolTip(CaptionText(kPlayHintId));
  s.play->setEnabled(false);
  s.stop = MakeButton(this, "StopButton");
  s.stop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
  s.stop->setToolTip(CaptionText(kStopHintId));
  s.autoPlay = MakeButton(this, "AutoPlayButton");
  s.autoPlay->setCheckable(true);
  s.autoPlay->setText(CaptionText(kAutoPlayCaptionId));
  s.autoPlay->setToolTip(CaptionText(kAutoPlayHintId));

  s.lengths = new WaveLengthReader(this);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->setSpacing(0);
  for (QToolButton* button : {s.play, s.stop, s.autoPlay}) buttons->addWidget(button, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(s.roots);
  layout->addWidget(s.path);
  layout->addWidget(s.missing);
  layout->addWidget(s.list, 1);
  layout->addLayout(buttons);

  connect(s.list->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &SampleBrowser::OnCurrentChanged);
  connect(s.list, &BrowserListView::ItemEntered, this, &SampleBrowser::EnterItem);
  connect(s.list, &BrowserListView::FocusEntered, this, [this] {
    const BrowserItem* item = CurrentItem();
    state_->play->setEnabled(item && item->kind == BrowserItemKind::Wave);
  });
  connect(s.list, &BrowserListView::FocusLeft, this, [this] { state_->play->setEnabled(false); });
  connect(s.list->header(), &QHeaderView::sectionClicked, this, &SampleBrowser::ToggleSortOrder);
  connect(s.lengths, &WaveLengthReader::LengthsRead, s.model, &BrowserListModel::SetLengths);
  connect(s.play, &QToolButton::clicked, this, [this] {
    if (state_->list->hasFocus()) RememberFolder();
    emit PlayClicked();
  });
  connect(s.stop, &QToolButton::clicked, this, &SampleBrowser::StopClicked);
  connect(s.autoPlay, &QToolButton::toggled, this, &SampleBrowser::AutoPlayToggled);
  connect(s.roots, &QComboBox::activated, this, &SampleBrowser::ChooseRoot);
  connect(s.path, &PathField::PathEntered, this, &SampleBrowser::GoToTypedPath);
  connect(s.watcher, &QFileSystemWatcher::directoryChanged, s.relist, qOverload<>(&QTimer::start));
  connect(s.relist, &QTimer::timeout, this, [this] {
    // A folder removed meanwhile stays listed as it was.
    if (!QFileInfo(state_->directory).isDir()) return;
    std::optional<BrowserItem> keep;
    if (const BrowserItem* item = CurrentItem()) keep = *item;
    Fill(state_->directory, keep);
  });

  for (int id : {caption_id::kBrowserHome, caption_id::kBrowserRecordings,
                 caption_id::kBrowserMissingFolder})
    ApplyCaption(id, CaptionText(id));
  Retranslate();
  RefreshRoots();
}

SampleBrowser::~SampleBrowser() {
  // The children outlive the state while QWidget deletes them: nothing they
  // signal may reach this object any more.
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
  state_->lengths->Cancel();
}

bool SampleBrowser::LoadDirectory(const QString& directory) {
  const QFileInfo info(directory);
  if (directory.isEmpty() || !info.isDir()) return false;
  Fill(QDir::cleanPath(info.absoluteFilePath()), std::nullopt);
  return true;
}

QString SampleBrowser::Directory() const { return QDir::toNativeSeparators(state_->directory); }

void SampleBrowser::SetRecordingsFolder(const QString& folder) {
  state_->places.recordings = QDir::cleanPath(QDir::fromNativeSeparators(folder));
  RefreshRoots();
}

void SampleBrowser::SetRecentFolders(const QStringList& folders) {
  state_->places.recent.clear();
  for (const QString& folder : folders) {
    if (state_->places.recent.size() < kRecentFolderCount)
      state_->places.recent.append(QDir::cleanPath(QDir::fromNativeSeparators(folder)));
  }
  RefreshRoots();
}

QStringList SampleBrowser::RecentFolders() const {
  QStringList folders;
  for (const QString& folder : state_->places.recent)
    folders.append(QDir::toNativeSeparators(folder));
  return folders;
}

void SampleBrowser::SetDilEntries(const std::vector<DilEntry>& entries) {
  state_->model->SetDilEntries(entries);
}

QString SampleBrowser::SelectedWaveFile() const {
  const BrowserItem* item = CurrentItem();
  if (!item || item->kind != BrowserItemKind::Wave) return {};
  return QDir::toNativeSeparators(QDir(state_->directory).filePath(item->caption));
}

bool SampleBrowser::ListHasFocus() const { return state_->list->hasFocus(); }

bool SampleBrowser::AutoPlay() const { return state_->autoPlay->isChecked(); }

void SampleBrowser::SetPlayEnabled(bool enabled) { state_->play->setEnabled(enabled); }

void SampleBrowser::Retranslate() {
  State& s = *state_;
  s.model->SetHeaderTitles(TranslatedText(translator_, "File"),
                           TranslatedText(translator_, "Length"));
  s.silenceCaption = TranslatedText(translator_, "Silence");
  if (s.directory.isEmpty()) return;
  std::optional<BrowserItem> keep;
  if (const BrowserItem* item = CurrentItem()) keep = *item;
  Fill(s.directory, keep);
}

bool SampleBrowser::ApplyCaption(int id, const QString& text) {
  switch (id) {
    case kPlayHintId:
      state_->play->setToolTip(PlainToolTip(text));
      return true;
    case kStopHintId:
      state_->stop->setToolTip(PlainToolTip(text));
      return true;
    case kAutoPlayCaptionId:
      state_->autoPlay->setText(text);
      return true;
    case kAutoPlayHintId:
      state_->autoPlay->setToolTip(PlainToolTip(text));
      return true;
    case caption_id::kBrowserHome:
      state_->places.homeLabel = text;
      RefreshRoots();
      return true;
    case caption_id::kBrowserRecordings:
      state_->places.recordingsLabel = text;
      RefreshRoots();
      return true;
    case caption_id::kBrowserMissingFolder:
      state_->missingNote = text;
      return true;
    default:
      return false;
  }
}

void SampleBrowser::Fill(const QString& directory, std::optional<BrowserItem> keep) {
  State& s = *state_;
  s.lengths->Cancel();
  BrowserFolder folder = ListBrowserFolder(directory, s.silenceCaption);
  s.model->SetItems(std::move(folder.items), ReadIconAssociations(folder.associationFile));
  const bool changed = directory != s.directory;
  s.directory = directory;
  s.path->SetPath(Directory());
  s.missing->hide();
  if (changed) {
    if (!s.watcher->directories().isEmpty()) s.watcher->removePaths(s.watcher->directories());
    s.watcher->addPath(directory);
  }

  const int kept = keep ? s.model->RowOf(keep->kind, keep->caption) : -1;
  if (s.model->rowCount() > 0) {
    s.list->setCurrentIndex(s.model->index(std::max(kept, 0), BrowserListModel::kFileColumn));
  } else {
    OnCurrentChanged();
  }
  // scrollTo lays out every row at once; a fresh listing just starts at the top.
  if (kept > 0) {
    s.list->scrollTo(s.list->currentIndex());
  } else {
    s.list->scrollToTop();
  }
  s.lengths->Start(directory, s.model->WaveFileNames());

  ShowRootOf(directory);
  const int root = RootIndexOf(s.rootList, directory);
  if (root >= 0)
    s.lastDirectoryOfRoot.insert(s.rootList[static_cast<std::size_t>(root)].path, directory);
  if (changed) emit DirectoryChanged(Directory());
}

const BrowserItem* SampleBrowser::CurrentItem() const {
  const QModelIndex current = state_->list->currentIndex();
  return current.isValid() ? state_->model->Item(current.row()) : nullptr;
}

void SampleBrowser::OnCurrentChanged() {
  const BrowserItem* item = CurrentItem();
  const bool wave = item && item->kind == BrowserItemKind::Wave;
  state_->play->setEnabled(wave);
  emit SelectionChanged(wave);
}

void SampleBrowser::EnterItem(const QModelIndex& index) {
  const BrowserItem* item = state_->model->Item(index.row());
  if (!item) return;
  if (item->kind == BrowserItemKind::Folder) {
    // A folder removed meanwhile leaves the list as it was.
    LoadDirectory(QDir(state_->directory).filePath(item->caption));
    return;
  }
  const bool wave = item->kind == BrowserItemKind::Wave;
  state_->play->setEnabled(wave);
  if (!wave) return;
  RememberFolder();
  emit PlayClicked();
}

void SampleBrowser::ToggleSortOrder(int column) {
  State& s = *state_;
  s.descending = !s.descending;
  s.list->header()->setSortIndicator(column,
                                     s.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  s.model->Sort(s.descending);
  s.list->scrollTo(s.list->currentIndex());
}

void SampleBrowser::RefreshRoots() {
  State& s = *state_;
  s.rootList = BrowserPlaces(s.places);
  s.roots->clear();
  for (const FileSystemRoot& root : s.rootList) {
    s.roots->addItem(root.label, root.path);
    // The named places keep their paths in sight too.
    s.roots->setItemData(s.roots->count() - 1, QDir::toNativeSeparators(root.path),
                         Qt::ToolTipRole);
  }
  ShowRootOf(s.directory);
}

void SampleBrowser::ChooseRoot(int index) {
  State& s = *state_;
  if (index < 0 || static_cast<std::size_t>(index) >= s.rootList.size()) return;
  const FileSystemRoot& place = s.rootList[static_cast<std::size_t>(index)];
  const QString rootPath = place.path;
  QString remembered;
  // A drive goes back to the folder last shown on it; any other place is
  // the folder it names.
  if (place.kind == PlaceKind::Volume) {
    if (index == RootIndexOf(s.rootList, s.directory)) return;
    remembered = s.lastDirectoryOfRoot.value(rootPath);
  }
  const bool loaded =
      (!remembered.isEmpty() && LoadDirectory(remembered)) || LoadDirectory(rootPath);
  // A root that cannot be listed leaves the selector on the folder's own root.
  if (!loaded) ShowRootOf(s.directory);
}

void SampleBrowser::GoToTypedPath(const QString& typed) {
  State& s = *state_;
  QString path = QDir::fromNativeSeparators(typed);
  if (path == "~" || path.startsWith("~/")) path = QDir::homePath() + path.mid(1);
  // A relative path is taken from the folder shown, not the program's.
  if (!path.isEmpty() && LoadDirectory(QDir(s.directory).absoluteFilePath(path))) {
    s.list->setFocus();
    return;
  }
  s.missing->setText(s.missingNote + ' ' + typed);
  s.missing->show();
  s.path->SetPath(Directory());
}

void SampleBrowser::RememberFolder() {
  QStringList& recent = state_->places.recent;
  recent.removeIf(
      [this](const QString& folder) { return folder.compare(state_->directory, kPathCase) == 0; });
  recent.prepend(state_->directory);
  while (recent.size() > kRecentFolderCount) recent.removeLast();
}

void SampleBrowser::ShowRootOf(const QString& directory) {
  state_->roots->setCurrentIndex(RootIndexOf(state_->rootList, directory));
}

}  // namespace liftvox
