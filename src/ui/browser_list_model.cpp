#include "ui/browser_list_model.h"

#include <algorithm>

#include "config/file_name_bytes.h"
#include "ui/icon_library.h"

namespace liftvox {

BrowserListModel::BrowserListModel(const IconLibrary& icons, QObject* parent)
    : QAbstractTableModel(parent), icons_(icons) {}

void BrowserListModel::SetItems(std::vector<BrowserItem> items,
                                std::vector<IconAssociation> associations) {
  beginResetModel();
  items_ = std::move(items);
  associations_ = std::move(associations);
  AssociateDilEntries(items_, associations_, dilEntries_);
  SortBrowserItems(items_, descending_);
  IndexWaveRows();
  endResetModel();
}

void BrowserListModel::SetDilEntries(std::vector<DilEntry> entries) {
  dilEntries_ = std::move(entries);
  AssociateDilEntries(items_, associations_, dilEntries_);
  if (!items_.empty()) {
    emit dataChanged(index(0, kFileColumn), index(rowCount() - 1, kFileColumn),
                     {Qt::DecorationRole, kDilEntryNameRole});
  }
}

void BrowserListModel::Sort(bool descending) {
  descending_ = descending;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const std::vector<std::size_t> order = BrowserSortOrder(items_, descending_);
  std::vector<int> newRowOf(order.size());
  std::vector<BrowserItem> sorted;
  sorted.reserve(items_.size());
  for (std::size_t newRow = 0; newRow < order.size(); ++newRow) {
    newRowOf[order[newRow]] = static_cast<int>(newRow);
    sorted.push_back(std::move(items_[order[newRow]]));
  }
  items_ = std::move(sorted);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before) {
    after.append(index(newRowOf[static_cast<std::size_t>(old.row())], old.column()));
  }
  changePersistentIndexList(before, after);
  IndexWaveRows();
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void BrowserListModel::SetLengths(const QList<WaveLength>& lengths) {
  int first = rowCount();
  int last = -1;
  for (const WaveLength& length : lengths) {
    const auto found = waveRows_.constFind(length.fileName);
    if (found == waveRows_.constEnd()) continue;
    items_[static_cast<std::size_t>(*found)].seconds = length.seconds;
    first = std::min(first, *found);
    last = std::max(last, *found);
  }
  if (last >= 0) {
    emit dataChanged(index(first, kLengthColumn), index(last, kLengthColumn), {Qt::DisplayRole});
  }
}

void BrowserListModel::SetImages(const QIcon& folder, const QIcon& wave) {
  folderImage_ = folder;
  waveImage_ = wave;
}

void BrowserListModel::SetHeaderTitles(const QString& file, const QString& length) {
  fileTitle_ = file;
  lengthTitle_ = length;
  emit headerDataChanged(Qt::Horizontal, kFileColumn, kLengthColumn);
}

const BrowserItem* BrowserListModel::Item(int row) const {
  return row >= 0 && row < rowCount() ? &items_[static_cast<std::size_t>(row)] : nullptr;
}

int BrowserListModel::RowOf(BrowserItemKind kind, const QString& caption) const {
  for (std::size_t row = 0; row < items_.size(); ++row) {
    const BrowserItem& item = items_[row];
    if (item.kind == kind && (kind == BrowserItemKind::Silence || item.caption == caption)) {
      return static_cast<int>(row);
    }
  }
  return -1;
}

QStringList BrowserListModel::WaveFileNames() const {
  QStringList names;
  for (const BrowserItem& item : items_) {
    if (item.kind == BrowserItemKind::Wave) names.append(item.caption);
  }
  return names;
}

int BrowserListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

int BrowserListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant BrowserListModel::data(const QModelIndex& index, int role) const {
  const BrowserItem* item = Item(index.row());
  if (!item) return {};
  if (index.column() == kFileColumn) {
    switch (role) {
      case Qt::DisplayRole:
        return QString::fromStdString(ReadableFileName(item->caption.toStdString()));
      case Qt::DecorationRole:
        return ImageOf(*item);
      case kDilEntryNameRole:
        return item->dilEntryName;
      default:
        return {};
    }
  }
  if (index.column() == kLengthColumn && role == Qt::DisplayRole && item->seconds) {
    return GetFormatedTime(*item->seconds, decimalPoint_);
  }
  return {};
}

QVariant BrowserListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section == kFileColumn) return fileTitle_;
  if (section == kLengthColumn) return lengthTitle_;
  return {};
}

Qt::ItemFlags BrowserListModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void BrowserListModel::IndexWaveRows() {
  waveRows_.clear();
  for (std::size_t row = 0; row < items_.size(); ++row) {
    if (items_[row].kind == BrowserItemKind::Wave) {
      waveRows_.insert(items_[row].caption, static_cast<int>(row));
    }
  }
}

QIcon BrowserListModel::ImageOf(const BrowserItem& item) const {
  if (item.kind == BrowserItemKind::Folder) return folderImage_;
  if (item.dilEntry >= 0 && static_cast<std::size_t>(item.dilEntry) < dilEntries_.size()) {
    const QIcon icon = icons_.Icon(dilEntries_[static_cast<std::size_t>(item.dilEntry)].Icon);
    // An entry whose bitmap is missing still keeps its name; the item keeps
    // the plain image.
    if (!icon.isNull()) return icon;
  }
  return waveImage_;
}

}  // namespace liftvox
