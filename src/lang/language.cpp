#include "lang/language.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "config/file_io.h"
#include "config/paths.h"
#include "config/profile_file.h"
#include "config/text_encoding.h"
#include "config/text_lines.h"
#include "config/utf8.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

// Longer than the coarsest time stamp tick in use (two seconds on FAT).
constexpr auto kStampTrustDelay = std::chrono::seconds(3);

bool StampIsRecent(fs::file_time_type stamp) {
  return fs::file_time_type::clock::now() - stamp < kStampTrustDelay;
}

std::string_view TrimControls(std::string_view text) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One caption line: a decimal id, one separator character, the text. False
// for a line without digits in front, without a separator, or with an id too
// large for an int.
bool ParseCaptionLine(std::string_view line, int& id, std::string& text) {
  std::size_t pos = 0;
  long long value = 0;
  while (pos < line.size() && IsDigit(line[pos])) {
    value = value * 10 + (line[pos] - '0');
    if (value > std::numeric_limits<int>::max()) return false;
    ++pos;
  }
  if (pos == 0 || pos == line.size()) return false;
  utf8::DecodeNext(line, pos);  // the separator, however many bytes it takes
  id = static_cast<int>(value);
  text = CutToCaptionLength(line.substr(pos));
  return true;
}

}  // namespace

std::string CutToCaptionLength(std::string_view text) {
  return std::string(utf8::Cut(text, kMaxCaptionCharacters));
}

fs::path FindLanguageFile(const fs::path& languagesDir, const std::string& given) {
  if (given.empty()) return {};
  std::error_code error;
  const fs::path direct = PathFromUtf8(given);
  if (fs::is_regular_file(direct, error)) return direct;
  // The folder is listed because the name's case need not match.
  for (const auto& entry : fs::directory_iterator(languagesDir, error)) {
    const fs::path& file = entry.path();
    if (!entry.is_regular_file(error) || !EqualsIgnoreCase(PathToUtf8(file.extension()), ".lng"))
      continue;
    if (EqualsIgnoreCase(PathToUtf8(file.stem()), given) ||
        EqualsIgnoreCase(PathToUtf8(file.filename()), given))
      return file;
  }
  return {};
}

TLanguage::TLanguage() = default;
TLanguage::~TLanguage() = default;

void TLanguage::SetLanguageFile(std::filesystem::path file) {
  std::lock_guard lock(mutex_);
  languageFile_ = std::move(file);
}

std::filesystem::path TLanguage::LanguageFile() const {
  std::lock_guard lock(mutex_);
  return languageFile_;
}

std::shared_ptr<const ProfileFile> TLanguage::CurrentFile() const {
  std::lock_guard lock(mutex_);
  const auto forget = [this] {
    cached_.reset();
    cachedBytes_.clear();
    return nullptr;
  };
  if (languageFile_.empty()) return forget();
  std::error_code error;
  const std::uintmax_t size = fs::file_size(languageFile_, error);
  if (error) return forget();
  const fs::file_time_type stamp = fs::last_write_time(languageFile_, error);
  if (error) return forget();

  const bool sameStamp =
      cached_ && cachedPath_ == languageFile_ && cachedSize_ == size && cachedTime_ == stamp;
  if (sameStamp && !cachedStampRecent_) return cached_;

  std::optional<std::string> bytes = ReadFileBytes(languageFile_);
  if (!bytes) return forget();
  if (!(sameStamp && *bytes == cachedBytes_)) {
    cached_ = std::make_shared<const ProfileFile>(DecodeText(*bytes));
  }
  cachedPath_ = languageFile_;
  cachedSize_ = size;
  cachedTime_ = stamp;
  // A file that changed between the look and the read is not trusted either.
  cachedStampRecent_ = StampIsRecent(stamp) || bytes->size() != size;
  if (cachedStampRecent_) {
    cachedBytes_ = std::move(*bytes);
  } else {
    cachedBytes_.clear();
  }
  return cached_;
}

std::string TLanguage::Translate(const std::string& key, const std::string& defaultText) const {
  const std::shared_ptr<const ProfileFile> file = CurrentFile();
  if (!file) return defaultText;
  std::string text = file->ReadString("Messages", key, "");
  return text.empty() ? defaultText : text;
}

std::vector<std::pair<int, std::string>> TLanguage::ReadCaptions() const {
  const fs::path file = LanguageFile();
  const std::optional<std::string> bytes = ReadFileBytes(file);
  if (!bytes) throw std::runtime_error("Cannot open the language file " + PathToUtf8(file));
  const std::string text = DecodeText(*bytes);

  std::vector<std::pair<int, std::string>> captions;
  bool inCaptions = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::string_view line = TrimControls(NextLine(text, pos));

    if (!inCaptions) {
      inCaptions = EqualsIgnoreCase(line, "[TRANSLATIONS]");
      continue;
    }
    if (line.starts_with('[')) break;
    int id = 0;
    std::string caption;
    if (ParseCaptionLine(line, id, caption)) captions.emplace_back(id, std::move(caption));
  }
  return captions;
}

}  // namespace liftvox
