// What ships beside the program (language, wizard and DIL files, icons, the
// interface list, the recordings) must read with the program's own readers
// and agree with each other and with what the code looks up.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

#include "audio/wave_format.h"
#include "audio/wave_stream.h"
#include "config/dil_file.h"
#include "config/ini_file.h"
#include "config/paths.h"
#include "config/profile_file.h"
#include "config/wizard.h"
#include "lang/caption_ids.h"
#include "lang/icon_names.h"
#include "lang/interfaces_list.h"
#include "lang/language.h"
#include "lang/message_keys.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Placeholders(std::string_view text) {
  static const std::regex pattern("%[sd]");
  std::vector<std::string> found;
  const std::string copy(text);
  for (auto it = std::sregex_iterator(copy.begin(), copy.end(), pattern);
       it != std::sregex_iterator(); ++it)
    found.push_back(it->str());
  return found;
}

bool KeepsPlaceholdersOfOne(const std::string& text, const std::vector<std::string_view>& czech) {
  return std::any_of(czech.begin(), czech.end(), [&](std::string_view original) {
    return Placeholders(original) == Placeholders(text);
  });
}

// A caption line loses its trailing blanks when read.
std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

struct ShippedLanguage {
  const char* file;
  const char* label;
  const char* icon;
  bool builtIn;  // the Czech texts the program carries itself
};

constexpr ShippedLanguage kLanguages[] = {
    {"Čeština.lng", "Čeština", "CZ.BMP", true},
    {"English.lng", "English", "EN.BMP", false},
    {"Deutsch.lng", "Deutsch", "DE.BMP", false},
};

// A built-in-language file leaves out the keys whose Czech text differs
// between call sites: any one text would replace the right one elsewhere.
std::set<std::string> KeysALanguageFileHolds(bool builtIn) {
  std::set<std::string> keys;
  for (const MessageText& row : MessageTexts())
    if (!builtIn || CzechTextsOf(row.key).size() == 1) keys.insert(std::string(row.key));
  return keys;
}

TEST(ShippedDataTest, LanguageFilesHoldExactlyTheTextsTheProgramUses) {
  const fs::path bin = test::BinDir();
  const std::vector<std::string> icons = LoadIconNames(bin / "Icons");
  for (const ShippedLanguage& shipped : kLanguages) {
    SCOPED_TRACE(shipped.file);
    const fs::path path = bin / "Languages" / PathFromUtf8(shipped.file);
    const auto file = ProfileFile::Load(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->ReadString("General", "Label", ""), shipped.label);
    const std::string icon = ToUpperText(file->ReadString("General", "Icon", ""));
    EXPECT_EQ(icon, shipped.icon);
    EXPECT_NE(std::find(icons.begin(), icons.end(), icon), icons.end());

    std::set<std::string> missing = KeysALanguageFileHolds(shipped.builtIn);
    for (const std::string& key : file->Keys("Messages")) {
      const std::vector<std::string_view> czech = CzechTextsOf(key);
      const std::string text = file->ReadString("Messages", key, "");
      EXPECT_EQ(missing.erase(key), 1u) << key << " is not a key the program looks up";
      EXPECT_TRUE(KeepsPlaceholdersOfOne(text, czech)) << key << ": " << text;
      if (shipped.builtIn && czech.size() == 1) {
        EXPECT_EQ(text, czech.front()) << key;
      }
    }
    for (const std::string& key : missing) ADD_FAILURE() << "missing key " << key;

    TLanguage language;
    language.SetLanguageFile(path);
    const auto captions = language.ReadCaptions();
    std::size_t next = 0;
    for (const CaptionId& expected : CaptionIds()) {
      ASSERT_LT(next, captions.size()) << "caption " << expected.id << " and later are missing";
      const auto& [id, text] = captions[next++];
      ASSERT_EQ(id, expected.id) << "captions must list every id once, in order";
      if (shipped.builtIn) {
        EXPECT_EQ(text, WithoutTrailingBlanks(expected.czech)) << id;
      } else {
        EXPECT_EQ(text.find('&') != std::string::npos,
                  expected.czech.find('&') != std::string_view::npos)
            << id << ": " << text << " (keep the one keyboard accelerator)";
      }
    }
    EXPECT_EQ(next, captions.size()) << "ids past the last one the program has";
  }
}

TEST(ShippedDataTest, EveryInterfaceIsNamedByItsKey) {
  const std::vector<InterfaceEntry> interfaces = LoadInterfaces(test::BinDir() / "Interfaces.ini");
  ASSERT_FALSE(interfaces.empty());
  for (const InterfaceEntry& entry : interfaces) {
    // A menu item's key falls back to its caption, the name in Interfaces.ini.
    const auto czech = CzechTextsOf("Interface" + std::to_string(entry.number));
    EXPECT_EQ(czech, std::vector<std::string_view>{entry.name}) << entry.number;
  }
}

struct ExpectedEntry {
  const char* name;
  uint16_t pattern;
  const char* icon;
};

// Switch 4 plays Czech, 5 English, 6 German, in any combination.
constexpr ExpectedEntry kDefaultDil[] = {
    {"Čeština", 0x0808, "CZ.BMP"},
    {"English", 0x1010, "EN.BMP"},
    {"Deutsch", 0x2020, "DE.BMP"},
};

TEST(ShippedDataTest, DefaultDilGivesEachLanguageItsOwnSwitch) {
  const fs::path bin = test::BinDir();
  const std::vector<std::string> icons = LoadIconNames(bin / "Icons");
  const TMemIniFile ini(bin / "Default.DIL");
  ASSERT_TRUE(ini.Loaded());
  const std::vector<DilEntry> entries = ReadDilSection(ini, "DIL", icons, -1);
  ASSERT_EQ(entries.size(), std::size(kDefaultDil));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].Name, kDefaultDil[i].name);
    EXPECT_EQ(entries[i].Pattern, kDefaultDil[i].pattern) << entries[i].Name;
    ASSERT_GE(entries[i].Icon, 0) << entries[i].Name;
    EXPECT_EQ(icons[static_cast<std::size_t>(entries[i].Icon)], kDefaultDil[i].icon);
  }
}

std::vector<std::string> WizardKeys() {
  std::vector<std::string> keys = {"SekvOverload", "SekvAlarm", "SekvUp",  "SekvDown",
                                   "SekvOpen",     "SekvClose", "SekvUniv"};
  for (int floor = -3; floor <= 40; ++floor) keys.push_back(std::to_string(floor));
  return keys;
}

TEST(ShippedDataTest, WizardFilesRecordEverySequenceInTheAnnouncerFormat) {
  const fs::path bin = test::BinDir();
  const std::vector<std::string> icons = LoadIconNames(bin / "Icons");
  const std::vector<WizardLanguage> languages = FindWizardLanguages(bin / "Languages");
  ASSERT_EQ(languages.size(), std::size(kDefaultDil));
  std::uintmax_t recordingBytes = 0;
  for (const WizardLanguage& language : languages) {
    SCOPED_TRACE(language.name);
    const auto expected =
        std::find_if(std::begin(kDefaultDil), std::end(kDefaultDil),
                     [&](const auto& entry) { return entry.name == language.name; });
    ASSERT_NE(expected, std::end(kDefaultDil));
    EXPECT_EQ(ToUpperText(language.icon), expected->icon);

    // The language's one DIL entry is the one Default.DIL has for it.
    const TMemIniFile wizard(language.file);
    const std::vector<DilEntry> dil = ReadDilSection(wizard, "/DIL", icons, -1);
    ASSERT_EQ(dil.size(), 1u);
    EXPECT_EQ(dil[0].Name, expected->name);
    EXPECT_EQ(dil[0].Pattern, expected->pattern);

    fs::path folder;
    for (const std::string& key : WizardKeys()) {
      ASSERT_NE(wizard.ReadString(key, "File0", ""), "") << key;
      EXPECT_EQ(wizard.ReadString(key, "File1", ""), "") << key << ": one recording a sequence";
      EXPECT_EQ(wizard.ReadInteger(key, "DIL0", 0), 0) << key;
      const fs::path wav = bin / NativePath(wizard.ReadString(key, "File0", ""));
      TFileWaveStream stream(wav);
      EXPECT_EQ(*stream.FormatPtr(), AnnouncerPcmFormat()) << wav;
      EXPECT_EQ(wizard.ReadInteger(key, "Samples0", 0), stream.FrameCount()) << wav;
      recordingBytes += fs::file_size(wav);
      folder = wav.parent_path();
    }
    // The sample browser shows the folder's recordings with the language's icon.
    const auto association = ProfileFile::Load(folder / "Icons.dir");
    ASSERT_TRUE(association);
    EXPECT_EQ(association->ReadString("Icons", "*.WAV", ""), expected->name);
  }
  EXPECT_LT(recordingBytes, 6'000'000u);
}

TEST(ShippedDataTest, EachLanguageHasAGuideWhoseScreenshotsAreMade) {
  const std::string script =
      test::ReadFile(fs::path(LIFTVOX_PROJECT_DIR) / "scripts" / "make-screenshots");
  static const std::regex image("src=\"images/([a-z-]+)\\.png\"");
  for (const ShippedLanguage& shipped : kLanguages) {
    // The program finds a language's guide by its language file's name.
    const fs::path stem = PathFromUtf8(shipped.file).stem();
    const fs::path guide = test::BinDir() / "Help" / stem / "index.html";
    ASSERT_TRUE(fs::is_regular_file(guide)) << guide;
    const std::string html = test::ReadFile(guide);
    int images = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), image);
         it != std::sregex_iterator(); ++it, ++images)
      EXPECT_NE(script.find("\"" + (*it)[1].str() + " "), std::string::npos)
          << shipped.file << ": no screenshot " << (*it)[1];
    EXPECT_GT(images, 0) << shipped.file;
  }
}

}  // namespace
}  // namespace liftvox
