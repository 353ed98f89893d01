#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace liftvox {

// The integer reader of configuration files: decimal with optional leading
// blanks and sign; "$1F" or (longer than 2 characters) "0x1F"/"0X1F" is hex.
// Anything else, including a value outside 32 bits, is not a number.
std::optional<int32_t> ParseIniInteger(std::string_view text);

// An INI text held in memory, in the dialect of configuration and DIL files:
// - lines end at CR LF, lone CR or lone LF; writing uses CR LF everywhere;
// - "[name]" (first char '[' and last char ']') starts a section, name untrimmed;
// - other non-empty lines not starting with ';' belong to the current section
//   untrimmed; lines before the first section are ignored;
// - key = text before the first '=', value = everything after it, untrimmed;
//   lines without '=' are kept but never match a key (an empty key is a key);
// - section and key names compare without regard to letter case (ASCII and
//   the Czech letters alike); on duplicates the first one wins;
// - writing creates a section at its first key; a second write of a key
//   replaces its value in place.
// All strings are UTF-8. A section's key index is built at its first lookup
// by key, so reading, like writing, is for one thread at a time.
class IniSections {
 public:
  IniSections() = default;
  explicit IniSections(std::string utf8Text);
  // The lines point into the text they were read from: moved, never copied.
  IniSections(IniSections&&) noexcept = default;
  IniSections& operator=(IniSections&&) noexcept = default;
  IniSections(const IniSections&) = delete;
  IniSections& operator=(const IniSections&) = delete;

  // Section names in file order, each name once (its first occurrence).
  std::vector<std::string> Sections() const;
  // Key names of a section in file order, each once.
  std::vector<std::string> Keys(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
  // Read as an integer: non-zero is true.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // The "key=value" lines of a section in file order, later duplicates of a
  // key included, without building its key index: for a reader that takes a
  // large section in one pass. `visit` gets (key, value) views, valid while
  // this object is unchanged.
  void ForEachEntry(
      std::string_view section,
      const std::function<void(std::string_view key, std::string_view value)>& visit) const;
  // The number of lines of a section (0 when there is none).
  std::size_t LineCount(std::string_view section) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int64_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);  // "1"/"0"

  // The whole text: per section "[name]", its lines, then one empty line,
  // every line ending in CR LF.
  std::string Text() const;

 private:
  struct Section {
    std::string name;
    // Raw lines, "key=value" or other text, pointing into text_ or written_.
    std::vector<std::string_view> lines;
    // Folded key -> index of its first line; the first lines of the keys in
    // file order. Built at the first lookup, then kept up to date; lookups
    // stay constant-time however many keys there are.
    mutable std::unordered_map<std::string, std::size_t> keyIndex;
    mutable std::vector<std::size_t> keyLines;
    mutable bool indexed = false;
  };
  // The text read, and the lines written since; held where moving this object
  // keeps them in place, as the sections' lines point into them.
  std::unique_ptr<const std::string> text_;
  std::deque<std::string> written_;
  std::vector<Section> sections_;
  // Folded name -> index of the section's first occurrence.
  std::unordered_map<std::string, std::size_t> sectionIndex_;

  const Section* Find(std::string_view section) const;
  Section& FindOrAdd(std::string_view section);
  static void Index(const Section& section);
  static void IndexLine(const Section& section, std::size_t lineIndex);
  const std::string_view* FindLine(std::string_view section, std::string_view key,
                                   std::size_t& keyLength) const;
};

// An INI file loaded whole at creation (Windows-1250 or UTF-8 with BOM on
// disk). A missing file reads as empty. Saving goes through the text
// (EncodeText, WriteFileAtomically), as a save writes a fresh object.
class TMemIniFile : public IniSections {
 public:
  explicit TMemIniFile(const std::filesystem::path& fileName);
  bool Loaded() const { return loaded_; }  // the file existed and was read

 private:
  bool loaded_ = false;
};

// The same on a text string (a configuration kept in a memory image).
class TTextIniFile : public IniSections {
 public:
  TTextIniFile() = default;
  explicit TTextIniFile(std::string utf8Text) : IniSections(std::move(utf8Text)) {}
};

}  // namespace liftvox
