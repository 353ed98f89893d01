#include "config/profile_file.h"

#include <algorithm>

#include "config/file_io.h"
#include "config/ini_file.h"
#include "config/paths.h"
#include "config/text_encoding.h"
#include "config/text_lines.h"
#include "config/utf8.h"

namespace liftvox {
namespace {

// The longest value the profile reader hands out, in characters.
constexpr std::size_t kMaxValueLength = 2047;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

ProfileFile::ProfileFile(std::string_view utf8Text) {
  Section* current = nullptr;
  std::size_t pos = 0;
  while (pos < utf8Text.size()) {
    const std::string_view line = Trim(NextLine(utf8Text, pos));

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      // The name runs to the last ']'; a line without one starts no section.
      const std::size_t close = line.rfind(']');
      if (close == std::string_view::npos) continue;
      const std::string_view name = Trim(line.substr(1, close - 1));
      sectionIndex_.try_emplace(ToUpperText(name), sections_.size());
      sections_.push_back(Section{std::string(name), {}, {}});
      current = &sections_.back();
      continue;
    }
    if (!current) continue;
    Entry entry;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      entry.key = line;
    } else {
      entry.key = Trim(line.substr(0, equals));
      entry.value = utf8::Cut(Unquote(Trim(line.substr(equals + 1))), kMaxValueLength);
      entry.hasValue = true;
    }
    if (entry.key.empty()) continue;
    current->keyIndex.try_emplace(ToUpperText(entry.key), current->entries.size());
    current->entries.push_back(std::move(entry));
  }
}

std::optional<ProfileFile> ProfileFile::Load(const std::filesystem::path& file) {
  std::optional<std::string> bytes = ReadFileBytes(file);
  if (!bytes) return std::nullopt;
  return ProfileFile(DecodeText(*bytes));
}

const ProfileFile::Entry* ProfileFile::FindEntry(std::string_view section,
                                                 std::string_view key) const {
  const auto sectionIt = sectionIndex_.find(ToUpperText(Trim(section)));
  if (sectionIt == sectionIndex_.end()) return nullptr;
  const Section& found = sections_[sectionIt->second];
  const auto keyIt = found.keyIndex.find(ToUpperText(Trim(key)));
  return keyIt == found.keyIndex.end() ? nullptr : &found.entries[keyIt->second];
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  const Entry* entry = FindEntry(section, key);
  return entry && entry->hasValue ? entry->value : std::string(defaultValue);
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
  return FindEntry(section, key) != nullptr;
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const auto sectionIt = sectionIndex_.find(ToUpperText(Trim(section)));
  if (sectionIt == sectionIndex_.end()) return keys;
  const Section& found = sections_[sectionIt->second];
  for (std::size_t i = 0; i < found.entries.size(); ++i) {
    // Each key once, where it first appears.
    if (found.keyIndex.at(ToUpperText(found.entries[i].key)) == i) {
      keys.push_back(found.entries[i].key);
    }
  }
  return keys;
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                             int defaultValue) const {
  const Entry* entry = FindEntry(section, key);
  if (!entry || !entry->hasValue) return defaultValue;
  return ParseIniInteger(entry->value).value_or(defaultValue);
}

}  // namespace liftvox
