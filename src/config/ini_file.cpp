#include "config/ini_file.h"

#include <optional>

#include <algorithm>
#include <charconv>
#include <limits>

#include "config/file_io.h"
#include "config/paths.h"
#include "config/text_encoding.h"
#include "config/text_lines.h"

namespace liftvox {
namespace {

// The key of a line: the text before its first '=', when there is one.
// The key of a "key=value" line; nothing for a line without '='. An empty
// key is a key: a DIL entry may have an empty name and must read back.
std::optional<std::string_view> KeyOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return line.substr(0, equals);
}

bool IsSectionHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

bool ParseDigits(std::string_view digits, int base, uint64_t& value) {
  if (digits.empty()) return false;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  return error == std::errc() && end == digits.data() + digits.size();
}

}  // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::string_view body = text.substr(pos);
  uint64_t magnitude = 0;
  if (body.starts_with('$') ||
      (body.size() > 2 && (body.starts_with("0x") || body.starts_with("0X")))) {
    // Hex is a 32-bit pattern: $FFFFFFFF is -1, as the old reader had it.
    if (!ParseDigits(body.substr(body[0] == '$' ? 1 : 2), 16, magnitude)) return std::nullopt;
    if (magnitude > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    uint32_t pattern = static_cast<uint32_t>(magnitude);
    if (negative) pattern = 0u - pattern;
    return static_cast<int32_t>(pattern);
  }
  // from_chars would take a sign of its own; only digits may follow here.
  if (body.empty() || body[0] < '0' || body[0] > '9') return std::nullopt;
  if (!ParseDigits(body, 10, magnitude)) return std::nullopt;
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  if (magnitude > limit) return std::nullopt;
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                  : static_cast<int32_t>(magnitude);
}

IniSections::IniSections(std::string utf8Text)
    : text_(std::make_unique<const std::string>(std::move(utf8Text))) {
  const std::string_view text = *text_;
  Section* current = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::string_view line = NextLine(text, pos);

    if (line.empty() || line.front() == ';') continue;
    if (IsSectionHeader(line)) {
      const std::string_view name = line.substr(1, line.size() - 2);
      // A repeated section keeps its lines for writing but is never found.
      sectionIndex_.try_emplace(ToUpperText(name), sections_.size());
      current = &sections_.emplace_back();
      current->name = name;
      continue;
    }
    if (current) current->lines.push_back(line);
  }
}

void IniSections::Index(const Section& section) {
  if (section.indexed) return;
  section.indexed = true;
  for (std::size_t i = 0; i < section.lines.size(); ++i) IndexLine(section, i);
}

void IniSections::IndexLine(const Section& section, std::size_t lineIndex) {
  const auto key = KeyOf(section.lines[lineIndex]);
  if (!key) return;
  if (section.keyIndex.try_emplace(ToUpperText(*key), lineIndex).second) {
    section.keyLines.push_back(lineIndex);
  }
}

const IniSections::Section* IniSections::Find(std::string_view section) const {
  const auto it = sectionIndex_.find(ToUpperText(section));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

IniSections::Section& IniSections::FindOrAdd(std::string_view section) {
  const auto [it, added] = sectionIndex_.try_emplace(ToUpperText(section), sections_.size());
  if (added) sections_.emplace_back().name = section;
  return sections_[it->second];
}

const std::string_view* IniSections::FindLine(std::string_view section, std::string_view key,
                                              std::size_t& keyLength) const {
  const Section* found = Find(section);
  if (!found) return nullptr;
  Index(*found);
  const auto it = found->keyIndex.find(ToUpperText(key));
  if (it == found->keyIndex.end()) return nullptr;
  const std::string_view& line = found->lines[it->second];
  keyLength = line.find('=');
  return &line;
}

void IniSections::ForEachEntry(
    std::string_view section,
    const std::function<void(std::string_view key, std::string_view value)>& visit) const {
  const Section* found = Find(section);
  if (!found) return;
  for (const std::string_view line : found->lines) {
    if (const auto key = KeyOf(line)) visit(*key, line.substr(key->size() + 1));
  }
}

std::size_t IniSections::LineCount(std::string_view section) const {
  const Section* found = Find(section);
  return found ? found->lines.size() : 0;
}

std::vector<std::string> IniSections::Sections() const {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    // Only the first of equally named sections is listed.
    if (Find(sections_[i].name) == &sections_[i]) names.push_back(sections_[i].name);
  }
  return names;
}

std::vector<std::string> IniSections::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* found = Find(section)) {
    Index(*found);
    keys.reserve(found->keyLines.size());
    for (const std::size_t line : found->keyLines) keys.emplace_back(*KeyOf(found->lines[line]));
  }
  return keys;
}

bool IniSections::ValueExists(std::string_view section, std::string_view key) const {
  std::size_t keyLength = 0;
  return FindLine(section, key, keyLength) != nullptr;
}

std::string IniSections::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  std::size_t keyLength = 0;
  const std::string_view* line = FindLine(section, key, keyLength);
  return std::string(line ? line->substr(keyLength + 1) : defaultValue);
}

int32_t IniSections::ReadInteger(std::string_view section, std::string_view key,
                                 int32_t defaultValue) const {
  std::size_t keyLength = 0;
  const std::string_view* line = FindLine(section, key, keyLength);
  if (!line) return defaultValue;
  return ParseIniInteger(line->substr(keyLength + 1)).value_or(defaultValue);
}

bool IniSections::ReadBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniSections::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  Section& target = FindOrAdd(section);
  Index(target);
  std::string& line = written_.emplace_back();
  line.reserve(key.size() + 1 + value.size());
  line.append(key).append("=").append(value);
  if (const auto it = target.keyIndex.find(ToUpperText(key)); it != target.keyIndex.end()) {
    target.lines[it->second] = line;
    return;
  }
  target.lines.push_back(line);
  IndexLine(target, target.lines.size() - 1);
}

void IniSections::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniSections::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniSections::Text() const {
  std::string text;
  for (const Section& section : sections_) {
    text.append("[").append(section.name).append("]\r\n");
    for (const std::string_view line : section.lines) text.append(line).append("\r\n");
    text.append("\r\n");
  }
  return text;
}

TMemIniFile::TMemIniFile(const std::filesystem::path& fileName) {
  if (std::optional<std::string> bytes = ReadFileBytes(fileName)) {
    IniSections::operator=(IniSections(DecodeText(*bytes)));
    loaded_ = true;
  }
}

}  // namespace liftvox
