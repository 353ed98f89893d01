#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace liftvox {

// An INI file read with Windows profile semantics (GetPrivateProfileString),
// as language files, wizard files and Interfaces.ini are: section and key
// names match without regard to case and with surrounding blanks ignored; the
// first matching line wins; a value is the text after the first '=' with
// surrounding blanks removed and one pair of enclosing double or single quotes
// dropped, cut to 2047 characters. Text is decoded like every text file
// (Windows-1250, or UTF-8 after a BOM).
class ProfileFile {
 public:
  ProfileFile() = default;
  explicit ProfileFile(std::string_view utf8Text);
  // nullopt when the file cannot be read.
  static std::optional<ProfileFile> Load(const std::filesystem::path& file);

  // The value, or `defaultValue` when the section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  // Key names of a section in file order (trimmed, each once).
  std::vector<std::string> Keys(std::string_view section) const;
  // Integer with the configuration files' integer reader; default otherwise.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;

 private:
  struct Entry {
    std::string key;
    std::string value;
    bool hasValue = false;  // a line without '=' names a key but holds no value
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    // Folded key -> index of its first entry.
    std::unordered_map<std::string, std::size_t> keyIndex;
  };
  std::vector<Section> sections_;
  // Folded name -> index of the first section with that name.
  std::unordered_map<std::string, std::size_t> sectionIndex_;

  const Entry* FindEntry(std::string_view section, std::string_view key) const;
};

}  // namespace liftvox
