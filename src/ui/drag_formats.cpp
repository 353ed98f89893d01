#include "ui/drag_formats.h"

#include <QDataStream>
#include <QIODevice>
#include <QUrl>

namespace liftvox {

QMimeData* MakeBrowserMimeData(const BrowserDragItem& item) {
  auto* data = new QMimeData;
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << item.silence << item.filePath << item.dilEntryName;
  data->setData(kBrowserItemMimeType, bytes);
  if (!item.silence) data->setUrls({QUrl::fromLocalFile(item.filePath)});
  return data;
}

bool ReadBrowserMimeData(const QMimeData& data, BrowserDragItem& item) {
  if (!data.hasFormat(kBrowserItemMimeType)) return false;
  QDataStream in(data.data(kBrowserItemMimeType));
  in >> item.silence >> item.filePath >> item.dilEntryName;
  return in.status() == QDataStream::Ok;
}

}  // namespace liftvox
