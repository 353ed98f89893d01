#include "config/text_encoding.h"

#include <algorithm>
#include <array>
#include <utility>

#include "config/utf8.h"
#include "config/windows1250_tables.h"

namespace liftvox {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct ReverseEntry {
  char16_t codePoint;
  unsigned char byte;
};

// The upper half of the code page sorted by code point, for a binary search
// when encoding (the lower half is ASCII and maps to itself).
constexpr std::array<ReverseEntry, 128> MakeReverseTable() {
  std::array<ReverseEntry, 128> table{};
  for (std::size_t i = 0; i < 128; ++i) {
    table[i] = {detail::kWindows1250CodePoints[128 + i], static_cast<unsigned char>(128 + i)};
  }
  std::sort(table.begin(), table.end(),
            [](const ReverseEntry& a, const ReverseEntry& b) { return a.codePoint < b.codePoint; });
  return table;
}

constexpr std::array<ReverseEntry, 128> kReverseTable = MakeReverseTable();

bool ByteFor(char32_t codePoint, unsigned char& byte) {
  if (codePoint < 0x80) {
    byte = static_cast<unsigned char>(codePoint);
    return true;
  }
  if (codePoint > 0xFFFF) return false;
  const auto it = std::lower_bound(
      kReverseTable.begin(), kReverseTable.end(), codePoint,
      [](const ReverseEntry& entry, char32_t value) { return entry.codePoint < value; });
  if (it == kReverseTable.end() || it->codePoint != codePoint) return false;
  byte = it->byte;
  return true;
}

std::string SanitizedUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t start = pos;
    const char32_t codePoint = utf8::DecodeNext(bytes, pos);
    if (codePoint == utf8::kInvalid) {
      utf8::Append(out, utf8::kReplacement);
    } else {
      out.append(bytes.substr(start, pos - start));
    }
  }
  return out;
}

}  // namespace

std::string Windows1250ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  const auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  // Texts are mostly ASCII: runs of it are copied whole (a configuration at
  // the maxima has 90 MB).
  for (auto run = bytes.begin(); run != bytes.end();) {
    const auto other = std::find_if_not(run, bytes.end(), isAscii);
    out.append(run, other);
    if (other == bytes.end()) break;
    utf8::Append(out, detail::kWindows1250CodePoints[static_cast<unsigned char>(*other)]);
    run = other + 1;
  }
  return out;
}

bool Utf8ToWindows1250(std::string_view utf8, std::string& out) {
  out.clear();
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t codePoint = utf8::DecodeNext(utf8, pos);
    unsigned char byte = 0;
    if (codePoint == utf8::kInvalid || !ByteFor(codePoint, byte)) return false;
    out.push_back(static_cast<char>(byte));
  }
  return true;
}

std::string DecodeText(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) return SanitizedUtf8(bytes.substr(kByteOrderMark.size()));
  return Windows1250ToUtf8(bytes);
}

std::string EncodeText(std::string_view utf8) {
  std::string out;
  // Windows-1250 text that happens to begin "ď»ż" has the mark's bytes and
  // would read back as UTF-8, so it is written as UTF-8 instead.
  if (Utf8ToWindows1250(utf8, out) && !out.starts_with(kByteOrderMark)) return out;
  // Something has no Windows-1250 byte (or the text is not even UTF-8): keep
  // the text as it stands and mark it, so reading gives back the same text.
  out.assign(kByteOrderMark);
  out.append(utf8);
  return out;
}

}  // namespace liftvox
