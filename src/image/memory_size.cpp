#include "image/memory_size.h"

#include <array>

#include "model/translator.h"

namespace liftvox {

namespace {

constexpr std::array<const char*, 8> kSizeTexts = {"64kB", "128kB", "256kB", "512kB",
                                                   "1MB",  "2MB",   "4MB",   "8MB"};
constexpr const char* kUnknownDefault = "neznámá";

bool ValidCode(int code) { return code >= 0 && code < static_cast<int>(kSizeTexts.size()); }

}  // namespace

int64_t MemorySizeFromCode(int code) { return ValidCode(code) ? int64_t{65536} << code : 0; }

int PageSizeForMemory(int code) {
  if (!ValidCode(code)) return 0;
  if (code <= 4) return 256;
  return code <= 6 ? 512 : 1024;
}

std::string MemorySizeText(int code, const Translator& language) {
  if (ValidCode(code)) return kSizeTexts[static_cast<size_t>(code)];
  return language.Translate("UnknownMemorySize", kUnknownDefault);
}

std::string MemorySizeText(int code) {
  return ValidCode(code) ? kSizeTexts[static_cast<size_t>(code)] : kUnknownDefault;
}

int MemorySizeCodeFromText(const std::string& text) {
  for (size_t i = 0; i < kSizeTexts.size(); ++i) {
    if (text == kSizeTexts[i]) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace liftvox
