#include "ui/file_system_roots.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace liftvox {
namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

bool Contains(const QString& root, const QString& directory) {
  if (directory.compare(root, kPathCase) == 0) return true;
  const QString prefix = root.endsWith('/') ? root : root + '/';
  return directory.startsWith(prefix, kPathCase);
}

void AddOnce(std::vector<FileSystemRoot>& roots, const QString& path, const QString& label) {
  const QString clean = QDir::cleanPath(path);
  const bool known = std::any_of(roots.begin(), roots.end(), [&](const FileSystemRoot& root) {
    return root.path.compare(clean, kPathCase) == 0;
  });
  if (!known) roots.push_back({clean, label});
}

}  // namespace

std::vector<FileSystemRoot> FileSystemRoots() {
  std::vector<FileSystemRoot> roots;
#ifdef Q_OS_WIN
  for (const QFileInfo& drive : QDir::drives()) {
    const QString path = drive.absolutePath();  // "C:/"
    AddOnce(roots, path, QDir::toNativeSeparators(path).chopped(1));
  }
#else
  AddOnce(roots, "/", "/");
  AddOnce(roots, QDir::homePath(), QDir::toNativeSeparators(QDir::homePath()));
#endif
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    // Bind mounts of single files show up as volumes too.
    if (!volume.isValid() || !volume.isReady() || !QFileInfo(volume.rootPath()).isDir()) continue;
    const QString path = QDir::toNativeSeparators(volume.rootPath());
    const QString name = volume.displayName();
    AddOnce(roots, volume.rootPath(),
            name.isEmpty() || name == volume.rootPath() ? path : path + " (" + name + ")");
  }
  return roots;
}

int RootIndexOf(const std::vector<FileSystemRoot>& roots, const QString& directory) {
  int best = -1;
  for (std::size_t i = 0; i < roots.size(); ++i) {
    if (!Contains(roots[i].path, directory)) continue;
    if (best < 0 || roots[i].path.size() > roots[static_cast<std::size_t>(best)].path.size()) {
      best = static_cast<int>(i);
    }
  }
  return best;
}

}  // namespace liftvox
