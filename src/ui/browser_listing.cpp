#include "ui/browser_listing.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <numeric>
#include <string>

#include "config/file_name_bytes.h"
#include "config/paths.h"

namespace liftvox {
namespace {

constexpr QStringView kAssociationFileName = u"Icons.dir";

bool IsWaveFileName(const QString& name) { return name.endsWith(".wav", Qt::CaseInsensitive); }

// Folders before the rest, the silence item heading the rest: 0 for a folder,
// 1 for silence, 2 for a WAV file.
int GroupOf(const BrowserItem& item) {
  switch (item.kind) {
    case BrowserItemKind::Folder:
      return 0;
    case BrowserItemKind::Silence:
      return 1;
    case BrowserItemKind::Wave:
      break;
  }
  return 2;
}

int Compare(const BrowserItem& a, const BrowserItem& b, bool descending,
            const QCollator& collator) {
  if (a.IsParentFolder() || b.IsParentFolder()) return 0;
  const int groupA = GroupOf(a);
  const int groupB = GroupOf(b);
  if (groupA != groupB) return groupA < groupB ? -1 : 1;
  const int byCaption = collator.compare(a.caption, b.caption);
  return descending ? -byCaption : byCaption;
}

QCollator CaptionCollator() {
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

// Adds 1 to the last digit of `digits`, carrying; false when it overflows
// ("99" becomes "00").
bool IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return true;
    }
    *it = '0';
  }
  return false;
}

// Qt leaves out names that are no UTF-8, such as those copied from Windows in
// its 8-bit code page; the core's paths carry them (FileNameText), so such WAV
// files are listed too, and can be played and used.
void AddWaveFilesQtLeavesOut(const QString& directory, std::vector<BrowserItem>& items) {
  std::error_code error;
  const std::filesystem::directory_iterator end;
  for (auto entry =
           std::filesystem::directory_iterator(PathFromUtf8(directory.toStdString()), error);
       !error && entry != end; entry.increment(error)) {
    const std::string name = PathToUtf8(entry->path().filename());
    if (!CarriesFileNameBytes(name) || name.starts_with('.')) continue;
    const QString caption = QString::fromStdString(name);
    std::error_code ignored;
    if (!IsWaveFileName(caption) || !entry->is_regular_file(ignored)) continue;
    const bool listed =
        std::any_of(items.begin(), items.end(),
                    [&caption](const BrowserItem& item) { return item.caption == caption; });
    if (!listed) items.emplace_back(BrowserItemKind::Wave, caption);
  }
}

}  // namespace

BrowserFolder ListBrowserFolder(const QString& directory, const QString& silenceCaption) {
  BrowserFolder folder;
  std::vector<BrowserItem>& items = folder.items;
  // A root has no "." or ".." entry, so it has no silence item either.
  if (!QDir(directory).isRoot()) {
    items.emplace_back(BrowserItemKind::Silence, silenceCaption);
    items.emplace_back(BrowserItemKind::Folder, "..");
  }
  // Without QDir::Hidden and QDir::System, hidden files, devices, pipes and
  // broken links stay out.
  QDirIterator entries(directory, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
  while (entries.hasNext()) {
    entries.next();
    const QFileInfo entry = entries.fileInfo();
    const QString name = entry.fileName();
    if (entry.isDir()) {
      items.emplace_back(BrowserItemKind::Folder, name);
    } else if (IsWaveFileName(name)) {
      items.emplace_back(BrowserItemKind::Wave, name);
    } else if (folder.associationFile.isEmpty() &&
               name.compare(kAssociationFileName, Qt::CaseInsensitive) == 0) {
      folder.associationFile = entry.filePath();
    }
  }
  AddWaveFilesQtLeavesOut(directory, items);
  return folder;
}

int CompareBrowserItems(const BrowserItem& a, const BrowserItem& b, bool descending) {
  return Compare(a, b, descending, CaptionCollator());
}

std::vector<std::size_t> BrowserSortOrder(const std::vector<BrowserItem>& items, bool descending) {
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const auto rest = std::stable_partition(order.begin(), order.end(),
                                          [&](std::size_t i) { return items[i].IsParentFolder(); });
  const QCollator collator = CaptionCollator();
  std::stable_sort(rest, order.end(), [&](std::size_t a, std::size_t b) {
    return Compare(items[a], items[b], descending, collator) < 0;
  });
  return order;
}

void SortBrowserItems(std::vector<BrowserItem>& items, bool descending) {
  std::vector<BrowserItem> sorted;
  sorted.reserve(items.size());
  for (std::size_t i : BrowserSortOrder(items, descending)) sorted.push_back(std::move(items[i]));
  items = std::move(sorted);
}

QString FormatGeneral(double value, int significantDigits, const QString& decimalPoint) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  significantDigits = std::clamp(significantDigits, 1, 17);

  // The shortest decimal that reads back as the value: "d.dddde±xx".
  std::array<char, 64> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), std::abs(value),
                                     std::chars_format::scientific);
  const std::string scientific(text.data(), written.ptr);
  const std::size_t e = scientific.find('e');
  std::string digits = scientific.substr(0, e);
  digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
  int exponent = std::stoi(scientific.substr(e + 1));

  if (digits.size() > static_cast<std::size_t>(significantDigits)) {
    const bool roundUp = digits[static_cast<std::size_t>(significantDigits)] >= '5';
    digits.resize(static_cast<std::size_t>(significantDigits));
    if (roundUp && !IncrementDigits(digits)) {
      digits.assign(1, '1');
      ++exponent;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  QString out = value < 0 ? "-" : "";
  const QString all = QString::fromStdString(digits);
  const int integerDigits = exponent >= 0 ? exponent + 1 : 1;
  if (integerDigits > significantDigits) {
    out += all.left(1);
    if (all.size() > 1) out += decimalPoint + all.mid(1);
    return out + "E" + QString::number(exponent);
  }
  if (exponent < 0) return out + "0" + decimalPoint + QString(-exponent - 1, '0') + all;
  const QString integerPart = all.left(exponent + 1).leftJustified(exponent + 1, '0');
  const QString fraction = all.mid(exponent + 1);
  return out + integerPart + (fraction.isEmpty() ? QString() : decimalPoint + fraction);
}

QString GetFormatedTime(double seconds, const QString& decimalPoint) {
  const double hours = std::trunc(seconds / 3600);
  const double minutes = std::trunc((seconds - 3600 * hours) / 60);
  const double rest = seconds - 3600 * hours - 60 * minutes;
  if (hours >= 1) {
    return QString::number(hours, 'f', 0) + "h " + QString::number(minutes, 'f', 0) + "m " +
           FormatGeneral(rest, 3, decimalPoint) + "s";
  }
  if (minutes >= 1) {
    return QString::number(minutes, 'f', 0) + "m " + FormatGeneral(rest, 1, decimalPoint) + "s";
  }
  return FormatGeneral(rest, 1, decimalPoint) + "s ";
}

}  // namespace liftvox
