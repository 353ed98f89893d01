#pragma once

#include <cstddef>

namespace liftvox::cli {

// Progress is drawn on stderr only for a person watching it.
bool StderrIsTerminal();

// The width of the terminal stderr shows on, in characters; 0 when unknown.
size_t StderrColumns();

// While one lives, Ctrl+C does not end the program but is noted, so a long
// run can stop where it is safe to and still report. One at a time.
class InterruptCatcher {
 public:
  InterruptCatcher();
  ~InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;

  bool Interrupted() const;

 private:
  void (*previous_)(int);
};

}  // namespace liftvox::cli
