#pragma once

#include <QString>

#include <vector>

namespace liftvox {

// A place the browser's root selector offers: a drive, a mounted volume or
// the home folder.
struct FileSystemRoot {
  QString path;   // Qt form, '/' separators, ending in '/' only for a drive or "/"
  QString label;  // what the selector shows
};

// On Windows the drive letters; elsewhere "/", the home folder and the
// mounted volumes, each once.
std::vector<FileSystemRoot> FileSystemRoots();

// The root that `directory` (absolute, Qt form) lies on: the one with the
// longest path that contains it; -1 for none.
int RootIndexOf(const std::vector<FileSystemRoot>& roots, const QString& directory);

}  // namespace liftvox
