#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/translator.h"

namespace liftvox {

class ProfileFile;

// The longest caption a language file sets (a control's text or hint, or a
// language's menu label): the shipped files' longest is 84 characters. A
// longer one is cut, so a crafted file cannot make a menu wider than any
// screen. Messages are cut at 2047 characters as their reader cuts any value.
inline constexpr std::size_t kMaxCaptionCharacters = 255;

// `text` cut to kMaxCaptionCharacters.
std::string CutToCaptionLength(std::string_view text);

// The language file `given` names: a path to a file, or a file in
// `languagesDir` by its name with or without ".lng", in any letter case
// ("English", "deutsch.lng"). Empty when it names none.
std::filesystem::path FindLanguageFile(const std::filesystem::path& languagesDir,
                                       const std::string& given);

// The translation lookup through which every message, label and list text
// passes. `Translate` reads section "Messages" of the current language file
// with Windows profile semantics (see ProfileFile) and falls back to the
// given Czech default when the file, section, key or value is missing or the
// value is empty. A change to the file on disk shows at the next lookup; an
// unchanged file is not read again (cached by path, size and modification
// time). All methods are safe to call from any thread.
class TLanguage final : public Translator {
 public:
  TLanguage();
  ~TLanguage();

  void SetLanguageFile(std::filesystem::path file);
  std::filesystem::path LanguageFile() const;

  std::string Translate(const std::string& key, const std::string& defaultText) const override;

  // The caption section "[TRANSLATIONS]" as (id, text) pairs in file order,
  // each text cut to kMaxCaptionCharacters, for the GUI to apply. Empty when
  // the file has no such section. Throws std::runtime_error when the file
  // cannot be opened.
  std::vector<std::pair<int, std::string>> ReadCaptions() const;

 private:
  std::shared_ptr<const ProfileFile> CurrentFile() const;

  mutable std::mutex mutex_;
  std::filesystem::path languageFile_;
  // The parsed file and what it was when read. A file changed within the
  // same time stamp tick keeps its stamp (coarse on FAT and some shares), so
  // while the stamp is recent the bytes are kept and compared instead.
  mutable std::shared_ptr<const ProfileFile> cached_;
  mutable std::filesystem::path cachedPath_;
  mutable std::filesystem::file_time_type cachedTime_{};
  mutable std::uintmax_t cachedSize_ = 0;
  mutable bool cachedStampRecent_ = false;
  mutable std::string cachedBytes_;
};

}  // namespace liftvox
