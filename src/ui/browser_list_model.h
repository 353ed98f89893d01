#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>

#include <vector>

#include "model/dil_entry.h"
#include "ui/browser_listing.h"
#include "ui/icon_associations.h"
#include "ui/wave_length_reader.h"

namespace liftvox {

class IconLibrary;

// The sample browser's list as a two-column model (name, length) over the
// listed items, in the browser's order.
class BrowserListModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kFileColumn = 0, kLengthColumn = 1, kColumnCount };
  // A WAV item's associated DIL entry name (upper-cased), or empty.
  static constexpr int kDilEntryNameRole = Qt::UserRole;

  BrowserListModel(const IconLibrary& icons, QObject* parent = nullptr);

  // A new listing: the items are associated with DIL entries and sorted.
  void SetItems(std::vector<BrowserItem> items, std::vector<IconAssociation> associations);
  void SetDilEntries(std::vector<DilEntry> entries);
  // Re-sorts, keeping the current and selected items where they went.
  void Sort(bool descending);
  void SetLengths(const QList<WaveLength>& lengths);

  void SetImages(const QIcon& folder, const QIcon& wave);
  void SetHeaderTitles(const QString& file, const QString& length);
  void SetDecimalPoint(const QString& decimalPoint) { decimalPoint_ = decimalPoint; }

  const BrowserItem* Item(int row) const;
  // The row of the item of `kind` captioned `caption` (the silence item by
  // kind alone); -1 for none.
  int RowOf(BrowserItemKind kind, const QString& caption) const;
  // The WAV files' names in list order.
  QStringList WaveFileNames() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void IndexWaveRows();
  QIcon ImageOf(const BrowserItem& item) const;

  const IconLibrary& icons_;
  std::vector<BrowserItem> items_;
  std::vector<IconAssociation> associations_;
  std::vector<DilEntry> dilEntries_;
  QHash<QString, int> waveRows_;  // WAV file name -> row
  bool descending_ = false;
  QIcon folderImage_;
  QIcon waveImage_;
  QString fileTitle_;
  QString lengthTitle_;
  QString decimalPoint_ = ".";
};

}  // namespace liftvox
