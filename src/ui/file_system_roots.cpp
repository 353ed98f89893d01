#include "ui/file_system_roots.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <array>

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

void AddOnce(std::vector<FileSystemRoot>& roots, const QString& path, const QString& label,
             PlaceKind kind) {
  const QString clean = QDir::cleanPath(path);
  const bool known = std::any_of(roots.begin(), roots.end(), [&](const FileSystemRoot& root) {
    return root.path.compare(clean, kPathCase) == 0;
  });
  if (!known) roots.push_back({clean, label, kind});
}

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

void AddVolumes(std::vector<FileSystemRoot>& roots) {
#ifdef Q_OS_WIN
  for (const QFileInfo& drive : QDir::drives()) {
    const QString path = drive.absolutePath();  // "C:/"
    AddOnce(roots, path, Native(path).chopped(1), PlaceKind::Volume);
  }
#else
  AddOnce(roots, "/", "/", PlaceKind::Volume);
#endif
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    // Bind mounts of single files show up as volumes too.
    if (!volume.isValid() || !volume.isReady() || IsPseudoFileSystem(volume.fileSystemType()) ||
        !QFileInfo(volume.rootPath()).isDir())
      continue;
    const QString path = Native(volume.rootPath());
    const QString name = volume.displayName();
    AddOnce(roots, volume.rootPath(),
            name.isEmpty() || name == volume.rootPath() ? path : path + " (" + name + ")",
            PlaceKind::Volume);
  }
}

}  // namespace

bool IsPseudoFileSystem(const QByteArray& type) {
  static constexpr std::array<const char*, 22> kPseudo = {
      "proc",     "sysfs",      "tmpfs",    "devtmpfs", "devpts", "cgroup",
      "cgroup2",  "securityfs", "debugfs",  "tracefs",  "pstore", "bpf",
      "mqueue",   "hugetlbfs",  "configfs", "fusectl",  "autofs", "binfmt_misc",
      "efivarfs", "rpc_pipefs", "nsfs",     "squashfs"};
  return std::any_of(kPseudo.begin(), kPseudo.end(),
                     [&](const char* pseudo) { return type == pseudo; });
}

std::vector<FileSystemRoot> BrowserPlaces(const PlaceSources& sources) {
  std::vector<FileSystemRoot> roots;
  AddOnce(roots, QDir::homePath(), sources.homeLabel, PlaceKind::Home);
  if (!sources.recordings.isEmpty() && QFileInfo(sources.recordings).isDir()) {
    AddOnce(roots, sources.recordings, sources.recordingsLabel, PlaceKind::Recordings);
  }
  AddVolumes(roots);
  for (const QString& folder : sources.recent) {
    if (QFileInfo(folder).isDir()) AddOnce(roots, folder, Native(folder), PlaceKind::Recent);
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
