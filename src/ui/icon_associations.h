#pragma once

#include <QString>
#include <QStringView>

#include <vector>

#include "model/dil_entry.h"
#include "ui/browser_listing.h"

namespace liftvox {

// One line of a folder's "Icons.dir", section "Icons": WAV files whose names
// match `mask` belong to the DIL entry named `entryName`.
struct IconAssociation {
  QString mask;
  QString entryName;
};

// Whether `name` matches `mask`, where '*' stands for any run of characters
// and '?' for one; letters compare without regard to case.
bool MatchesMask(QStringView name, QStringView mask);

// The associations of an "Icons.dir" file in file order; none when it is
// missing, empty or not a small regular file.
std::vector<IconAssociation> ReadIconAssociations(const QString& filePath);

// Gives each WAV item the DIL entry of the first association whose mask
// matches its name: the entry whose upper-cased name equals the association's
// upper-cased value. A first match naming no entry leaves the item without one.
void AssociateDilEntries(std::vector<BrowserItem>& items,
                         const std::vector<IconAssociation>& associations,
                         const std::vector<DilEntry>& entries);

}  // namespace liftvox
