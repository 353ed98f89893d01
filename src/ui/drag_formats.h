#pragma once

#include <QMimeData>
#include <QString>
#include <QStringList>

namespace liftvox {

// What is dragged onto the sequence workspace, and from where.
enum class DropSource {
  BrowserFile,     // a WAV file from the sample browser (its DIL association travels along)
  BrowserSilence,  // the browser's silence item
  ExternalFiles,   // files from the desktop's file manager (text/uri-list)
  Workspace,       // a sample or sequence dragged inside the grid
};

// A browser item on its way to the workspace.
struct BrowserDragItem {
  bool silence = false;
  QString filePath;      // full path of the WAV file
  QString dilEntryName;  // upper-cased name from the folder's Icons.dir, or empty
};

inline constexpr const char* kBrowserItemMimeType = "application/x-liftvox-browser-item";
inline constexpr const char* kWorkspaceItemMimeType = "application/x-liftvox-workspace-item";

// The browser's drag data; the file also goes as a URL so other programs
// take it too.
QMimeData* MakeBrowserMimeData(const BrowserDragItem& item);
// The browser item in `data`, when it holds one.
bool ReadBrowserMimeData(const QMimeData& data, BrowserDragItem& item);

}  // namespace liftvox
