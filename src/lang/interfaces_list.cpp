#include "lang/interfaces_list.h"

#include "config/profile_file.h"
#include "model/translator.h"

namespace liftvox {

std::vector<InterfaceEntry> LoadInterfaces(const std::filesystem::path& iniFile) {
  std::vector<InterfaceEntry> interfaces;
  const std::optional<ProfileFile> file = ProfileFile::Load(iniFile);
  if (!file) return interfaces;
  for (std::string& name : file->Keys("Interfaces")) {
    const int number = file->ReadInteger("Interfaces", name, 0);
    interfaces.push_back(InterfaceEntry{std::move(name), number});
  }
  return interfaces;
}

std::string TranslatedInterfaceName(const Translator& translator, int number,
                                    const std::string& fallback) {
  const std::string key = "Interface" + std::to_string(number);
  return translator.Translate(key, fallback);
}

}  // namespace liftvox
