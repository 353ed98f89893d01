#pragma once

#include <QModelIndex>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "model/dil_entry.h"
#include "ui/browser_listing.h"

namespace liftvox {

class IconLibrary;
class Translator;

// The left pane: a selector of places, the current folder's path (typed
// paths go there), the list of its subfolders, silence item and WAV files with
// their lengths, and the play, stop and auto-play buttons. Dragging a WAV file or the silence item
// onto the workspace adds it; what "play" means is the main window's call.
class SampleBrowser final : public QWidget {
  Q_OBJECT

 public:
  SampleBrowser(const IconLibrary& icons, const Translator& translator, QWidget* parent = nullptr);
  ~SampleBrowser() override;

  // Fills the list from `directory`; false (nothing changes) when it is no
  // folder. The list shows names at once; lengths follow without blocking.
  bool LoadDirectory(const QString& directory);
  QString Directory() const;
  // The shipped recordings' folder, offered among the places.
  void SetRecordingsFolder(const QString& folder);
  // The folders whose recordings were last dragged or played, newest first.
  void SetRecentFolders(const QStringList& folders);
  QStringList RecentFolders() const;
  // The DIL entries that "Icons.dir" values are matched against.
  void SetDilEntries(const std::vector<DilEntry>& entries);
  // Full path of the selected WAV file; empty when the selection is none.
  QString SelectedWaveFile() const;
  bool ListHasFocus() const;
  bool AutoPlay() const;
  void SetPlayEnabled(bool enabled);
  // Column titles and the silence item in the current language; reloads.
  void Retranslate();
  // Applies caption id `id` of the language file when it is one of the
  // browser's (1 to 4: the buttons' hints and the auto-play caption; the
  // places' names and the missing folder's note).
  bool ApplyCaption(int id, const QString& text);

 signals:
  void PlayClicked();
  void StopClicked();
  void AutoPlayToggled(bool on);
  // The selected item changed; `wave` tells whether it is a WAV file.
  void SelectionChanged(bool wave);
  void DirectoryChanged(const QString& directory);

 private:
  struct State;
  // Lists `directory` (absolute, cleaned); `keep` is selected again when an
  // item of its kind and caption is still there, else the first item.
  void Fill(const QString& directory, std::optional<BrowserItem> keep);
  const BrowserItem* CurrentItem() const;
  void OnCurrentChanged();
  void EnterItem(const QModelIndex& index);
  void ToggleSortOrder(int column);
  void RefreshRoots();
  void ChooseRoot(int index);
  void ShowRootOf(const QString& directory);
  void GoToTypedPath(const QString& typed);
  void RememberFolder();

  const IconLibrary& icons_;
  const Translator& translator_;
  std::unique_ptr<State> state_;
};

}  // namespace liftvox
