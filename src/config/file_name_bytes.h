#pragma once

#include <string>
#include <string_view>

namespace liftvox {

// File names are bytes on POSIX systems, and not every name is UTF-8: names
// copied from Windows in its 8-bit code page (Windows-1250, Latin-1) are not.
// The program keeps paths as UTF-8 text, so such a name is carried with each
// byte that is no part of a UTF-8 character as one private-use character,
// U+EF80..U+EFFF for the bytes 0x80..0xFF (the scheme of MirBSD's OPTU-8). A
// name holding one of those characters itself has their bytes carried the
// same way, so every name comes back to exactly its bytes. Names that are
// UTF-8 without those characters, which is nearly all, stay as they are.

// The text that stands for a name's bytes.
std::string FileNameText(std::string_view bytes);
// The bytes a name's text stands for: the inverse of FileNameText.
std::string FileNameBytes(std::string_view text);
// Whether `text` carries bytes that are no UTF-8 (FileNameText).
bool CarriesFileNameBytes(std::string_view text);
// `text` for a person to read: each carried byte as the Windows-1250
// character it was on the system the name came from.
std::string ReadableFileName(std::string_view text);

}  // namespace liftvox
