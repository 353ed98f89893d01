#pragma once

#include <QString>

#include <string_view>

namespace liftvox {

class Translator;

// The text of message `key` in the current language; the Czech default is
// the key's first text in the program's message table, so it is written in
// one place only.
QString TranslatedText(const Translator& translator, std::string_view key);

// The built-in Czech text of caption id `id`; empty for an unassigned id.
QString CaptionText(int id);

}  // namespace liftvox
