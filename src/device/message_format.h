#pragma once

#include <initializer_list>
#include <string>

namespace liftvox {

// Fills the placeholders %d, %i, %u and %s of a (translated) text with
// `arguments` in order; "%%" is a percent sign. Any other sequence, and a
// placeholder with no argument left, stays as it is: a language file can
// never make this read past its arguments.
std::string FormatText(const std::string& pattern, std::initializer_list<std::string> arguments);

}  // namespace liftvox
