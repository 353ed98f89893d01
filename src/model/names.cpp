#include "model/names.h"

namespace liftvox {
namespace {

bool IsBlank(char c) { return c == ' '; }

// The bytes of a control character at `i`: U+0000..U+001F and U+007F (one
// byte), U+0080..U+009F (C2 80..C2 9F), and the bidirectional embeddings,
// overrides and isolates U+202A..U+202E (E2 80 AA..AE) and U+2066..U+2069
// (E2 81 A6..A9), which would turn the rest of a name, or of the text around
// it, back to front. 0 for anything else.
std::size_t ControlLength(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) {
    return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u;
  };
  if (at(0) < 0x20 || at(0) == 0x7F) return 1;
  if (at(0) == 0xC2 && at(1) >= 0x80 && at(1) <= 0x9F) return 2;
  if (at(0) == 0xE2 && at(1) == 0x80 && at(2) >= 0xAA && at(2) <= 0xAE) return 3;
  if (at(0) == 0xE2 && at(1) == 0x81 && at(2) >= 0xA6 && at(2) <= 0xA9) return 3;
  return 0;
}

}  // namespace

std::string CleanSequenceName(std::string_view name) {
  std::string clean;
  clean.reserve(name.size());
  bool inControlRun = false;
  for (std::size_t i = 0; i < name.size();) {
    if (const std::size_t length = ControlLength(name, i)) {
      if (!inControlRun) clean.push_back(' ');
      inControlRun = true;
      i += length;
      continue;
    }
    inControlRun = false;
    clean.push_back(name[i++]);
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
