#include "config/dil_file.h"

#include <filesystem>

#include "base/message_format.h"
#include "config/file_io.h"
#include "config/ini_file.h"
#include "config/paths.h"
#include "config/text_encoding.h"
#include "model/document.h"
#include "model/names.h"

namespace liftvox {
namespace {

constexpr std::string_view kDilSection = "DIL";

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

int IconPosition(const std::vector<std::string>& iconNames, std::string_view name) {
  for (std::size_t i = 0; i < iconNames.size(); ++i)
    if (EqualsIgnoreCase(iconNames[i], name)) return static_cast<int>(i);
  return -1;
}

}  // namespace

DilEntry ParseDilLine(std::string_view name, std::string_view value,
                      const std::vector<std::string>& iconNames, int unknownIcon) {
  DilEntry entry;
  entry.Name = CleanDilEntryName(name);
  const auto comma = value.find(',');
  const std::string_view iconPart =
      comma == std::string_view::npos ? value : value.substr(comma + 1);
  const std::string iconName = ToUpperText(Trim(iconPart));
  if (comma != std::string_view::npos) {
    if (auto pattern = ParseIniInteger(Trim(value.substr(0, comma))))
      entry.Pattern = static_cast<uint16_t>(*pattern & 0xFFFF);
  }
  const int position = IconPosition(iconNames, iconName);
  entry.Icon = position >= 0 ? position : unknownIcon;
  return entry;
}

std::vector<DilEntry> ReadDilSection(const IniSections& ini, std::string_view section,
                                     const std::vector<std::string>& iconNames, int unknownIcon) {
  std::vector<DilEntry> entries;
  for (const std::string& key : ini.Keys(section))
    entries.push_back(ParseDilLine(key, ini.ReadString(section, key, "?"), iconNames, unknownIcon));
  return entries;
}

bool WriteDilSection(IniSections& ini, std::string_view section,
                     const std::vector<DilEntry>& entries,
                     const std::vector<std::string>& iconNames) {
  for (const DilEntry& entry : entries) {
    if (entry.Icon < 0 || static_cast<std::size_t>(entry.Icon) >= iconNames.size()) return false;
    // Keys match without regard to letter case and a second write replaces
    // the first line, which would lose an entry and shift every later one:
    // a repeated name is numbered instead.
    const std::string name = CleanDilEntryName(entry.Name);
    std::string key = name;
    for (int n = 2; ini.ValueExists(section, key); ++n) key = name + " (" + std::to_string(n) + ")";
    ini.WriteString(
        section, key,
        std::to_string(entry.Pattern) + "," + iconNames[static_cast<std::size_t>(entry.Icon)]);
  }
  return true;
}

bool LoadDilFile(TPametRevazie& document, const std::filesystem::path& path) {
  std::error_code error;
  const bool exists = std::filesystem::is_regular_file(path, error);
  const TMemIniFile ini(path);
  if (!exists || !ini.Loaded()) {
    document.prompter().Warn(
        {"UnableLoadFile", document.Translate("DILLoad", "Načítání DIL konfigurace"),
         FormatMessage(document.Translate("UnableLoadFile", "Soubor %s nelze načíst!"),
                       PathToUtf8(path))});
    return false;
  }
  document.DilEntries = ReadDilSection(ini, kDilSection, document.IconNames, -1);
  document.MarkChanged();
  document.NotifyContentChanged();
  return true;
}

bool SaveDilFile(TPametRevazie& document, const std::filesystem::path& path) {
  TTextIniFile ini;
  const bool written = WriteDilSection(ini, kDilSection, document.DilEntries, document.IconNames) &&
                       WriteFileAtomically(path, EncodeText(ini.Text()));
  if (!written) {
    document.prompter().Warn(
        {"UnableWriteFile", document.Translate("DILSave", "Ukládání konfigurace DIL"),
         FormatMessage(document.Translate("UnableWriteFile", "Do souboru %s nelze zapisovat!"),
                       PathToUtf8(path))});
  }
  return written;
}

}  // namespace liftvox
