#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace liftvox {

// Fills the printf-style placeholders of a translated text. Translations come
// from files anyone can edit, so this never trusts them: each "%s" or "%d"
// takes the next argument as text, "%%" is a percent sign, anything else is
// copied as it stands, and missing arguments leave the placeholder empty.
std::string FormatText(std::string_view format, const std::vector<std::string>& arguments);

inline std::string ToArgument(const std::string& text) { return text; }
inline std::string ToArgument(const char* text) { return text; }
inline std::string ToArgument(std::string_view text) { return std::string(text); }
template <typename Number>
std::string ToArgument(Number number) requires std::is_arithmetic_v<Number> {
  return std::to_string(number);
}

template <typename... Args>
std::string FormatMessage(std::string_view format, const Args&... arguments) {
  return FormatText(format, {ToArgument(arguments)...});
}

}  // namespace liftvox
