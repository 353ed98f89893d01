// The language files, icons and interface list that ship beside the program
// must agree with each other and with what the code looks up.
#include <gtest/gtest.h>

#include <regex>

#include "config/paths.h"
#include "config/profile_file.h"
#include "lang/icon_names.h"
#include "lang/interfaces_list.h"
#include "lang/language.h"
#include "support/test_support.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Placeholders(const std::string& text) {
  static const std::regex pattern("%[sd]");
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
       it != std::sregex_iterator(); ++it) {
    found.push_back(it->str());
  }
  return found;
}

TEST(ShippedDataTest, LanguageFilesAgreeWithTheIconsTheInterfacesAndEachOther) {
  const fs::path bin = test::BinDir();
  const std::vector<std::string> icons = LoadIconNames(bin / "Icons");
  const auto czech = ProfileFile::Load(bin / "Languages" / PathFromUtf8("Čeština.lng"));
  const auto english = ProfileFile::Load(bin / "Languages" / "English.lng");
  ASSERT_TRUE(czech && english);

  for (const auto* file : {&*czech, &*english}) {
    const std::string icon = ToUpperText(file->ReadString("General", "Icon", ""));
    EXPECT_NE(std::find(icons.begin(), icons.end(), icon), icons.end()) << icon;
  }
  EXPECT_EQ(czech->ReadString("General", "Label", ""), "Čeština");
  EXPECT_EQ(english->ReadString("General", "Label", ""), "English");
  // Every English text keeps the placeholders of the Czech one, in order.
  for (const std::string& key : czech->Keys("Messages")) {
    ASSERT_TRUE(english->HasKey("Messages", key)) << key;
    EXPECT_EQ(Placeholders(english->ReadString("Messages", key, "")),
              Placeholders(czech->ReadString("Messages", key, "")))
        << key;
  }
  const std::vector<InterfaceEntry> interfaces = LoadInterfaces(bin / "Interfaces.ini");
  ASSERT_FALSE(interfaces.empty());
  for (const InterfaceEntry& entry : interfaces)
    EXPECT_TRUE(english->HasKey("Messages", "Interface" + std::to_string(entry.number)))
        << entry.name;

  TLanguage language;
  language.SetLanguageFile(bin / "Languages" / "English.lng");
  EXPECT_EQ(language.Translate("Silence", "Ticho"), "Silence");
  EXPECT_FALSE(language.ReadCaptions().empty());
}

}  // namespace
}  // namespace liftvox
