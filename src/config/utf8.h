#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace liftvox::utf8 {

// Marks a byte that does not start a well-formed UTF-8 sequence.
inline constexpr char32_t kInvalid = 0xFFFFFFFF;
inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes the character at `pos` and advances `pos` past it. For an ill-formed
// sequence the result is kInvalid and `pos` moves past its longest valid
// prefix (at least one byte), so each bad stretch counts once. Overlong forms,
// surrogates and values above U+10FFFF are ill-formed.
char32_t DecodeNext(std::string_view text, std::size_t& pos);

void Append(std::string& out, char32_t codePoint);

// The first `maxCharacters` characters of `text`, never cut inside a UTF-8
// sequence.
std::string_view Cut(std::string_view text, std::size_t maxCharacters);

}  // namespace liftvox::utf8
