#pragma once

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

}  // namespace liftvox::cli
