#include "config/utf8.h"

namespace liftvox::utf8 {

char32_t DecodeNext(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t value = 0;
  // The allowed range of the second byte rules out overlong forms, surrogates
  // and code points above U+10FFFF in one place.
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    ++pos;
    return kInvalid;
  }
  std::size_t i = pos + 1;
  for (std::size_t n = 1; n < length; ++n, ++i) {
    if (i >= text.size()) {
      pos = i;
      return kInvalid;
    }
    const unsigned char next = byte(i);
    const unsigned char min = n == 1 ? low : 0x80;
    const unsigned char max = n == 1 ? high : 0xBF;
    if (next < min || next > max) {
      pos = i;
      return kInvalid;
    }
    value = (value << 6) | (next & 0x3F);
  }
  pos = i;
  return value;
}

void Append(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

std::string_view Cut(std::string_view text, std::size_t maxCharacters) {
  std::size_t pos = 0;
  for (std::size_t count = 0; count < maxCharacters && pos < text.size(); ++count)
    DecodeNext(text, pos);
  return text.substr(0, pos);
}

}  // namespace liftvox::utf8
