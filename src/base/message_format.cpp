#include "base/message_format.h"

namespace liftvox {

std::string FormatText(std::string_view format, const std::vector<std::string>& arguments) {
  std::string result;
  result.reserve(format.size() + 32);
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '%' && i + 1 < format.size()) {
      const char kind = format[i + 1];
      if (kind == '%') {
        result += '%';
        ++i;
        continue;
      }
      if (kind == 's' || kind == 'd') {
        if (next < arguments.size()) result += arguments[next];
        ++next;
        ++i;
        continue;
      }
    }
    result += c;
  }
  return result;
}

}  // namespace liftvox
