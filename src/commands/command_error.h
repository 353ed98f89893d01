#pragma once

#include <stdexcept>

namespace liftvox {

// A command that cannot go on, with an English text saying why and naming the
// file or value at fault. The command line prints it as its error; the
// desktop program shows it in a message box.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace liftvox
