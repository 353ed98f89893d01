#include "config/sequence_section.h"

#include <charconv>

#include "config/ini_file.h"

namespace liftvox {
namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

// Whether `key` begins with the ASCII `name` regardless of letter case. Of
// the letters that change case in the code page only the ASCII ones have
// ASCII partners, so this is the comparison IniSections makes.
bool StartsWithName(std::string_view key, std::string_view name) {
  if (key.size() < name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (UpperAscii(key[i]) != UpperAscii(name[i])) return false;
  return true;
}

// The index `digits` write as std::to_string writes it (no sign, no leading
// zero, no blank), below `limit`.
std::optional<std::size_t> IndexWritten(std::string_view digits, std::size_t limit) {
  if (digits.empty() || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
  std::size_t index = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
  if (error != std::errc() || end != digits.data() + digits.size() || index >= limit)
    return std::nullopt;
  return index;
}

}  // namespace

SequenceSection::SequenceSection(const IniSections& ini, std::string_view section,
                                 std::span<const std::string_view> fieldKeys,
                                 const SampleKeys& sampleKeys) {
  for (const std::string_view key : fieldKeys) fields_.emplace_back(key, std::nullopt);
  using Member = std::optional<std::string_view> StoredSample::*;
  const std::pair<std::string_view, Member> sampleMembers[] = {
      {sampleKeys.file, &StoredSample::file},
      {sampleKeys.silence, &StoredSample::silence},
      {sampleKeys.samples, &StoredSample::samples},
      {sampleKeys.dil, &StoredSample::dil},
  };
  // Sample j is read only when samples 0 .. j - 1 have their file keys, so an
  // index past the section's number of lines is never reached.
  const std::size_t lines = ini.LineCount(section);
  samples_.reserve(lines / 4);  // four lines a sample, as the program writes them
  ini.ForEachEntry(section, [&](std::string_view key, std::string_view value) {
    for (auto& [name, stored] : fields_) {
      if (!stored && key.size() == name.size() && StartsWithName(key, name)) {
        stored = value;
        return;
      }
    }
    for (const auto& [name, member] : sampleMembers) {
      if (!StartsWithName(key, name)) continue;
      if (const auto index = IndexWritten(key.substr(name.size()), lines)) {
        if (*index >= samples_.size()) samples_.resize(*index + 1);
        std::optional<std::string_view>& stored = samples_[*index].*member;
        if (!stored) stored = value;
      }
    }
  });
  while (sampleCount_ < samples_.size() && samples_[sampleCount_].file) ++sampleCount_;
}

std::optional<std::string_view> SequenceSection::Field(std::string_view key) const {
  for (const auto& [name, stored] : fields_)
    if (name == key) return stored;
  return std::nullopt;
}

std::string SequenceSection::String(std::string_view key, std::string_view defaultValue) const {
  return std::string(Field(key).value_or(defaultValue));
}

int32_t SequenceSection::Integer(std::string_view key, int32_t defaultValue) const {
  const auto value = Field(key);
  return value ? ParseIniInteger(*value).value_or(defaultValue) : defaultValue;
}

bool SequenceSection::Bool(std::string_view key, bool defaultValue) const {
  return Integer(key, defaultValue ? 1 : 0) != 0;
}

std::span<const SequenceSection::StoredSample> SequenceSection::Samples() const {
  return std::span(samples_).first(sampleCount_);
}

}  // namespace liftvox
