#pragma once

#include <cstddef>
#include <string_view>

namespace liftvox {

// The line that starts at `pos`, without its end; moves `pos` past the end,
// which is CR LF, a lone CR or a lone LF. Call while pos < text.size().
inline std::string_view NextLine(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  std::size_t end = start;
  // A plain loop: find_first_of searches the two-character set per byte.
  while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
  pos = end;
  if (pos < text.size())
    pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
  return text.substr(start, end - start);
}

}  // namespace liftvox
