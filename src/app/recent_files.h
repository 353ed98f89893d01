#pragma once

#include <QString>
#include <QStringList>

namespace liftvox {

// The recently used files, newest first: at most five, each path once
// (compared without regard to letter case, as Windows compares file names).
class RecentFiles {
 public:
  static constexpr int kMaxFiles = 5;

  // Puts `path` on top, dropping an earlier entry of it and the oldest
  // beyond five.
  void Add(const QString& path);
  const QStringList& Files() const { return files_; }

 private:
  QStringList files_;
};

// The menu caption of entry `index` (from 0): "&1  Name.cfg".
QString RecentFileCaption(int index, const QString& path);

}  // namespace liftvox
