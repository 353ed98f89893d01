#include "device/message_format.h"

namespace liftvox {

std::string FormatText(const std::string& pattern, std::initializer_list<std::string> arguments) {
  std::string text;
  auto next = arguments.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 >= pattern.size()) {
      text += pattern[i];
      continue;
    }
    const char kind = pattern[i + 1];
    if (kind == '%') {
      text += '%';
      ++i;
    } else if ((kind == 'd' || kind == 'i' || kind == 'u' || kind == 's') &&
               next != arguments.end()) {
      text += *next++;
      ++i;
    } else {
      text += '%';
    }
  }
  return text;
}

}  // namespace liftvox
