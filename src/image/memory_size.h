#pragma once

#include <cstdint>
#include <string>

namespace liftvox {

class Translator;

// Memory-size codes 0..7 stand for 64 kB .. 8 MB of announcer flash; -1 while
// unknown. Every other code means "no such memory": 0 bytes, page size 0.

// Bytes of flash for a code; 0 for a code outside 0..7.
int64_t MemorySizeFromCode(int code);

// Flash page size in bytes: 256 for codes 0..4, 512 for 5 and 6, 1024 for 7,
// 0 for anything else.
int PageSizeForMemory(int code);

// "64kB" .. "8MB" (never translated); for any other code the translation of
// "UnknownMemorySize" (Czech default "neznámá").
std::string MemorySizeText(int code, const Translator& language);
// The same without a language: the Czech default for an unknown code.
std::string MemorySizeText(int code);

// The code whose size text is `text` ("1MB" -> 4), or -1.
int MemorySizeCodeFromText(const std::string& text);

}  // namespace liftvox
