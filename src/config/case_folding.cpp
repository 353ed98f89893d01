// Letter-case helpers declared in paths.h: file and key names compare the way
// Windows compares them in the Central European code page.
#include "config/paths.h"

#include <algorithm>

#include "config/utf8.h"
#include "config/windows1250_tables.h"

namespace liftvox {
namespace {

char32_t UpperCodePoint(char32_t codePoint) {
  if (codePoint < 0x80) {
    return codePoint >= 'a' && codePoint <= 'z' ? codePoint - ('a' - 'A') : codePoint;
  }
  const auto& pairs = detail::kWindows1250CasePairs;
  const auto it = std::lower_bound(
      pairs.begin(), pairs.end(), codePoint,
      [](const detail::CasePair& pair, char32_t value) { return pair.lower < value; });
  return it != pairs.end() && it->lower == codePoint ? it->upper : codePoint;
}

}  // namespace

std::string ToUpperText(std::string_view utf8) {
  // Names are mostly ASCII: fold in place up to the first other byte.
  std::string out(utf8);
  std::size_t pos = 0;
  for (; pos < out.size(); ++pos) {
    const char c = out[pos];
    if (static_cast<unsigned char>(c) >= 0x80) break;
    if (c >= 'a' && c <= 'z') out[pos] = static_cast<char>(c - ('a' - 'A'));
  }
  if (pos == out.size()) return out;
  out.resize(pos);
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const char32_t codePoint = utf8::DecodeNext(utf8, pos);
    const char32_t upper = codePoint == utf8::kInvalid ? codePoint : UpperCodePoint(codePoint);
    if (upper == codePoint) {
      out.append(utf8.substr(start, pos - start));  // bad bytes pass through as they are
    } else {
      utf8::Append(out, upper);
    }
  }
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return ToUpperText(a) == ToUpperText(b);
}

bool LessIgnoreCase(std::string_view a, std::string_view b) {
  // UTF-8 byte order is code point order.
  return ToUpperText(a) < ToUpperText(b);
}

}  // namespace liftvox
