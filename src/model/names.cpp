#include "model/names.h"

namespace liftvox {
namespace {

bool IsBlank(char c) { return c == ' '; }

}  // namespace

std::string CleanSequenceName(std::string_view name) {
  std::string clean;
  clean.reserve(name.size());
  bool inControlRun = false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    // U+0080..U+009F are the two bytes C2 80..C2 9F in UTF-8.
    const bool c1 = byte == 0xC2 && i + 1 < name.size() &&
                    static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(name[i + 1]) <= 0x9F;
    if (byte < 0x20 || byte == 0x7F || c1) {
      if (!inControlRun) clean.push_back(' ');
      inControlRun = true;
      if (c1) ++i;
      continue;
    }
    inControlRun = false;
    clean.push_back(name[i]);
  }
  return clean;
}

std::string CleanDilEntryName(std::string_view name) {
  std::string clean = CleanSequenceName(name);
  for (char& c : clean)
    if (c == '=') c = '-';
  std::size_t start = 0;
  while (start < clean.size() &&
         (IsBlank(clean[start]) || clean[start] == ';' || clean[start] == '['))
    ++start;
  std::size_t end = clean.size();
  while (end > start && IsBlank(clean[end - 1])) --end;
  return clean.substr(start, end - start);
}

}  // namespace liftvox
