#include "config/file_name_bytes.h"

#include "config/text_encoding.h"
#include "config/utf8.h"

namespace liftvox {
namespace {

constexpr char32_t kFirstCarrier = 0xEF80;  // stands for the byte 0x80
constexpr char32_t kLastCarrier = 0xEFFF;   // for 0xFF

bool IsCarrier(char32_t codePoint) {
  return codePoint >= kFirstCarrier && codePoint <= kLastCarrier;
}

// Every carrier is EE BE xx or EE BF xx in UTF-8, so text without the byte
// EE carries nothing: the common case costs one scan.
bool MayHoldCarriers(std::string_view text) { return text.find('\xEE') != std::string_view::npos; }

template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const char32_t codePoint = utf8::DecodeNext(text, pos);
    visit(codePoint, text.substr(start, pos - start));
  }
}

}  // namespace

std::string FileNameText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  ForEachCharacter(bytes, [&text](char32_t codePoint, std::string_view encoded) {
    if (codePoint != utf8::kInvalid && !IsCarrier(codePoint)) {
      text += encoded;
      return;
    }
    for (const char byte : encoded) {
      const auto value = static_cast<unsigned char>(byte);
      if (value < 0x80)
        text.push_back(byte);
      else
        utf8::Append(text, kFirstCarrier + (value - 0x80));
    }
  });
  return text;
}

std::string FileNameBytes(std::string_view text) {
  if (!MayHoldCarriers(text)) return std::string(text);
  std::string bytes;
  bytes.reserve(text.size());
  ForEachCharacter(text, [&bytes](char32_t codePoint, std::string_view encoded) {
    if (IsCarrier(codePoint))
      bytes.push_back(static_cast<char>(0x80 + (codePoint - kFirstCarrier)));
    else
      bytes += encoded;
  });
  return bytes;
}

bool CarriesFileNameBytes(std::string_view text) {
  bool carries = false;
  if (MayHoldCarriers(text))
    ForEachCharacter(text, [&carries](char32_t codePoint, std::string_view) {
      carries = carries || IsCarrier(codePoint);
    });
  return carries;
}

std::string ReadableFileName(std::string_view text) {
  if (!MayHoldCarriers(text)) return std::string(text);
  std::string readable;
  ForEachCharacter(text, [&readable](char32_t codePoint, std::string_view encoded) {
    if (!IsCarrier(codePoint)) {
      readable += encoded;
      return;
    }
    const char byte = static_cast<char>(0x80 + (codePoint - kFirstCarrier));
    readable += Windows1250ToUtf8(std::string_view(&byte, 1));
  });
  return readable;
}

}  // namespace liftvox
