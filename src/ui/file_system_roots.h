#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace liftvox {

enum class PlaceKind { Home, Recordings, Volume, Recent };

// A place the browser's selector offers.
struct FileSystemRoot {
  QString path;   // Qt form, '/' separators, ending in '/' only for a drive or "/"
  QString label;  // what the selector shows
  PlaceKind kind = PlaceKind::Volume;
};

// What the selector offers besides the volumes.
struct PlaceSources {
  QString homeLabel;
  QString recordings;  // the shipped recordings' folder; empty: none
  QString recordingsLabel;
  QStringList recent;  // the folders last used, newest first
};

// Proc, sysfs, tmpfs and their kind hold no recordings.
bool IsPseudoFileSystem(const QByteArray& type);

// Home, the shipped recordings, the volumes (on Windows the drive letters,
// elsewhere "/" and every mounted real file system, removable media included)
// and the recent folders that still exist, each path once.
std::vector<FileSystemRoot> BrowserPlaces(const PlaceSources& sources);

// The place `directory` (absolute, Qt form) lies in: the one with the
// longest path that contains it; -1 for none.
int RootIndexOf(const std::vector<FileSystemRoot>& roots, const QString& directory);

}  // namespace liftvox
