#pragma once

#include <string>
#include <string_view>

namespace liftvox {

// Text files live on disk in Windows-1250 (the installers' code page) and in
// memory as UTF-8.

// Bytes from disk to UTF-8: a file that starts with the UTF-8 byte order mark
// is UTF-8 (the mark is dropped, invalid sequences become U+FFFD); anything
// else is Windows-1250. Never fails.
std::string DecodeText(std::string_view bytes);

// UTF-8 to bytes for disk: Windows-1250 when every character has a place
// there, otherwise UTF-8 with a byte order mark, so no character is lost.
std::string EncodeText(std::string_view utf8);

// One Windows-1250 byte as UTF-8, and back (nullopt-like: false when the
// character has no Windows-1250 byte).
std::string Windows1250ToUtf8(std::string_view bytes);
bool Utf8ToWindows1250(std::string_view utf8, std::string& out);

}  // namespace liftvox
