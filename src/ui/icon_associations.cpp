#include "ui/icon_associations.h"

#include <QFile>
#include <QFileInfo>

#include <string>

#include "config/paths.h"
#include "config/profile_file.h"
#include "config/text_encoding.h"

namespace liftvox {
namespace {

// An association file lists a few masks; anything far larger is not one.
constexpr qint64 kMaxAssociationFileBytes = 1 << 20;

QString UpperText(const QString& text) {
  return QString::fromStdString(ToUpperText(text.toStdString()));
}

}  // namespace

bool MatchesMask(QStringView name, QStringView mask) {
  const QString upperName = UpperText(name.toString());
  const QString upperMask = UpperText(mask.toString());
  // Greedy with one backtrack point: the last '*' seen, so it runs in
  // O(name x mask) at worst rather than exponentially.
  qsizetype n = 0;
  qsizetype m = 0;
  qsizetype starMask = -1;
  qsizetype starName = 0;
  while (n < upperName.size()) {
    if (m < upperMask.size() && (upperMask[m] == '?' || upperMask[m] == upperName[n])) {
      ++n;
      ++m;
    } else if (m < upperMask.size() && upperMask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask >= 0) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < upperMask.size() && upperMask[m] == '*') ++m;
  return m == upperMask.size();
}

std::vector<IconAssociation> ReadIconAssociations(const QString& filePath) {
  if (filePath.isEmpty()) return {};
  const QFileInfo info(filePath);
  if (!info.isFile() || info.size() > kMaxAssociationFileBytes) return {};
  QFile file(filePath);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.read(kMaxAssociationFileBytes + 1);
  if (bytes.size() > kMaxAssociationFileBytes) return {};

  const ProfileFile profile(DecodeText(std::string_view(bytes.constData(), bytes.size())));
  std::vector<IconAssociation> associations;
  for (const std::string& key : profile.Keys("Icons")) {
    associations.push_back({QString::fromStdString(key),
                            QString::fromStdString(profile.ReadString("Icons", key, ""))});
  }
  return associations;
}

void AssociateDilEntries(std::vector<BrowserItem>& items,
                         const std::vector<IconAssociation>& associations,
                         const std::vector<DilEntry>& entries) {
  std::vector<QString> entryNames;
  entryNames.reserve(entries.size());
  for (const DilEntry& entry : entries) {
    entryNames.push_back(QString::fromStdString(ToUpperText(entry.Name)));
  }
  for (BrowserItem& item : items) {
    item.dilEntry = -1;
    item.dilEntryName.clear();
    if (item.kind != BrowserItemKind::Wave) continue;
    for (const IconAssociation& association : associations) {
      if (!MatchesMask(item.caption, association.mask)) continue;
      const QString wanted = UpperText(association.entryName);
      for (std::size_t i = 0; i < entryNames.size(); ++i) {
        if (entryNames[i] == wanted) {
          item.dilEntry = static_cast<int>(i);
          item.dilEntryName = wanted;
          break;
        }
      }
      break;  // the first matching mask decides, found or not
    }
  }
}

}  // namespace liftvox
