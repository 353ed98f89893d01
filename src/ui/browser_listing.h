#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace liftvox {

// What a line of the sample browser's list stands for.
enum class BrowserItemKind { Silence, Folder, Wave };

// One line of the sample browser's list.
struct BrowserItem {
  BrowserItem() = default;
  BrowserItem(BrowserItemKind itemKind, QString itemCaption)
      : kind(itemKind), caption(std::move(itemCaption)) {}

  BrowserItemKind kind = BrowserItemKind::Wave;
  // The file or folder name; the silence item's translated text.
  QString caption;
  // A WAV file's length once it has been read; none while unknown or unreadable.
  std::optional<double> seconds;
  // The DIL entry a WAV file is associated with through "Icons.dir" (its
  // position in the entry list, -1 for none) and that entry's upper-cased name.
  int dilEntry = -1;
  QString dilEntryName;

  bool IsParentFolder() const { return kind == BrowserItemKind::Folder && caption == ".."; }
};

// A folder as the browser lists it.
struct BrowserFolder {
  // The silence item (captioned as asked) and ".." unless the folder is a
  // root, then its subfolders and its *.wav files (any letter case), in the
  // order the file system gives them; a WAV file whose name is no UTF-8 is
  // captioned with its bytes carried (FileNameText). Hidden and system
  // entries and other files are left out.
  std::vector<BrowserItem> items;
  // Its "Icons.dir" (any letter case), or empty when it has none.
  QString associationFile;
};

// Lists `directory`; an unreadable folder gives just the silence item and "..".
BrowserFolder ListBrowserFolder(const QString& directory, const QString& silenceCaption);

// The browser's order: negative when `a` goes before `b`, 0 when either is
// "..", which compares equal to anything. Folders precede the rest; the
// silence item heads the rest; otherwise captions compare without regard to
// case, reversed when `descending`.
int CompareBrowserItems(const BrowserItem& a, const BrowserItem& b, bool descending);

// The positions of `items` in the browser's order (CompareBrowserItems; equal
// items keep their order). Since ".." is equal to anything, every placement
// of it would do; it goes to the top, where a user looks for it.
std::vector<std::size_t> BrowserSortOrder(const std::vector<BrowserItem>& items, bool descending);
void SortBrowserItems(std::vector<BrowserItem>& items, bool descending);

// `value` rounded to `significantDigits` and written in plain notation while
// its integer part has no more digits than that ("7", "0.05", "5.25"),
// otherwise as mantissa, "E" and exponent ("6E1"); no trailing zeros. Halves
// round away from zero, counted on the shortest decimal that reads back as
// `value`, as a user reads it.
QString FormatGeneral(double value, int significantDigits, const QString& decimalPoint = ".");

// A length for the list: "1h 2m 5s" (seconds to 3 digits), "2m 5s" (1 digit),
// or "7s " with a trailing blank (1 digit).
QString GetFormatedTime(double seconds, const QString& decimalPoint = ".");

}  // namespace liftvox
