#include "app/dialog_folder.h"

#include <QDir>
#include <QFileInfo>

namespace liftvox {

QString InitialDialogFolder(const QString& remembered, bool save) {
  const QFileInfo folder(remembered);
  if (!remembered.isEmpty() && folder.isDir() && (!save || folder.isWritable()))
    return folder.absoluteFilePath();
  return QDir::homePath();
}

}  // namespace liftvox
