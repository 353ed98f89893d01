#include "app/recent_files.h"

#include <QFileInfo>

#include "config/paths.h"

namespace liftvox {

void RecentFiles::Add(const QString& path) {
  const std::string wanted = path.toStdString();
  files_.removeIf(
      [&](const QString& file) { return EqualsIgnoreCase(file.toStdString(), wanted); });
  files_.prepend(path);
  while (files_.size() > kMaxFiles) files_.removeLast();
}

QString RecentFileCaption(int index, const QString& path) {
  // A "&" in the name is a letter, not the menu's mnemonic mark.
  QString name = QFileInfo(path).fileName();
  name.replace("&", "&&");
  return "&" + QString::number(index + 1) + "  " + name;
}

}  // namespace liftvox
