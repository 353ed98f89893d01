// The key and caption tables must hold what the code looks up and every
// control the windows have, since language files are checked against them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lang/caption_ids.h"
#include "lang/message_keys.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

// One C++ string literal (or several adjacent ones, joined) at `pos`; moves
// `pos` past it. Nothing when no literal starts there.
std::optional<std::string> ReadLiteral(const std::string& text, std::size_t& pos) {
  const auto skipBlanks = [&] {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
  };
  skipBlanks();
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  std::string value;
  while (pos < text.size() && text[pos] == '"') {
    for (++pos; pos < text.size() && text[pos] != '"'; ++pos) {
      if (text[pos] == '\\' && pos + 1 < text.size()) ++pos;
      value += text[pos];
    }
    ++pos;
    skipBlanks();
  }
  return value;
}

struct Lookup {
  std::string where;
  std::string key;
  std::optional<std::string> czech;  // when the default is a literal too
};

// Every Translate("Key", ...) call with a literal key in the source tree.
std::vector<Lookup> LiteralLookups(const fs::path& sourceDir) {
  std::vector<Lookup> found;
  for (const auto& item : fs::recursive_directory_iterator(sourceDir)) {
    const auto extension = item.path().extension();
    if (!item.is_regular_file() || (extension != ".cpp" && extension != ".h")) continue;
    const std::string text = test::ReadFile(item.path());
    const std::string call = "Translate(";
    for (std::size_t at = text.find(call); at != std::string::npos; at = text.find(call, at + 1)) {
      std::size_t pos = at + call.size();
      const auto key = ReadLiteral(text, pos);
      if (!key) continue;
      std::optional<std::string> czech;
      if (pos < text.size() && text[pos] == ',') czech = ReadLiteral(text, ++pos);
      found.push_back({item.path().filename().string(), *key, czech});
    }
  }
  return found;
}

TEST(TextTableTest, EveryKeyTheCodeLooksUpIsInTheTableWithItsCzechText) {
  const std::vector<Lookup> lookups = LiteralLookups(fs::path(LIFTVOX_PROJECT_DIR) / "src");
  // The scan must see the lookups we know of, or it proves nothing.
  ASSERT_GT(lookups.size(), 40u);
  EXPECT_TRUE(std::any_of(lookups.begin(), lookups.end(), [](const Lookup& lookup) {
    return lookup.key == "SekvGround" && lookup.czech == "Přízemí";
  }));

  for (const Lookup& lookup : lookups) {
    const std::vector<std::string_view> czech = CzechTextsOf(lookup.key);
    EXPECT_FALSE(czech.empty()) << lookup.where << ": key " << lookup.key << " is not in the table";
    if (lookup.czech && !czech.empty()) {
      EXPECT_NE(std::find(czech.begin(), czech.end(), *lookup.czech), czech.end())
          << lookup.where << ": " << lookup.key << " falls back to \"" << *lookup.czech
          << "\", which the table does not list";
    }
  }
}

// Which ids there are, the shipped language files check (every id once, in
// order); here, that each is found by its number.
TEST(TextTableTest, CaptionIdsAreFoundById) {
  for (const CaptionId& entry : CaptionIds()) {
    ASSERT_EQ(FindCaptionId(entry.id), &entry);
    EXPECT_FALSE(entry.czech.empty()) << entry.id;
    EXPECT_FALSE(entry.control.empty()) << entry.id;
    // Commands pair an odd caption with the next even hint; so does the
    // interface submenu (79/80).
    if (entry.id >= 15 && entry.id <= 86) {
      EXPECT_EQ(entry.property, entry.id % 2 ? CaptionProperty::Caption : CaptionProperty::Hint)
          << entry.id;
    }
  }
  for (int unassigned : {0, 87, 99, 205, 1507}) EXPECT_EQ(FindCaptionId(unassigned), nullptr);
}

}  // namespace
}  // namespace liftvox
