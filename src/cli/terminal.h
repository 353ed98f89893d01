#pragma once

#include <cstddef>
#include <string>

#include "base/job_progress.h"

namespace liftvox::cli {

// Progress is drawn on stderr only for a person watching it.
bool StderrIsTerminal();

// A long job's progress on one line of stderr ("Building 42%  file.wav"),
// redrawn when the percentage changes, and only on a terminal: a script's
// log gets nothing. The line ends when this object does.
class TerminalProgress {
 public:
  explicit TerminalProgress(std::string label);
  ~TerminalProgress();
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  // For the job; never stops it. Valid while this object lives.
  JobProgress Callback();

 private:
  std::string label_;
  bool terminal_;
  int shownPercent_ = -1;
};

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
