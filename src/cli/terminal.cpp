#include "cli/terminal.h"

#ifdef _WIN32
#include <io.h>

#include <cstdio>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cmath>
#include <iostream>
#include <utility>

namespace liftvox::cli {
namespace {

// Long file names lose their start so the line never wraps on a narrow
// terminal; the cut never splits a UTF-8 character.
constexpr std::size_t kShownNameLength = 50;

std::string ShownName(const std::string& name) {
  if (name.size() <= kShownNameLength) return name;
  std::size_t start = name.size() - kShownNameLength;
  while (start < name.size() && (static_cast<unsigned char>(name[start]) & 0xC0) == 0x80) ++start;
  return "..." + name.substr(start);
}

}  // namespace

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return ::isatty(STDERR_FILENO) != 0;
#endif
}

TerminalProgress::TerminalProgress(std::string label)
    : label_(std::move(label)), terminal_(StderrIsTerminal()) {}

TerminalProgress::~TerminalProgress() {
  if (shownPercent_ >= 0) std::cerr << '\n' << std::flush;
}

JobProgress TerminalProgress::Callback() {
  if (!terminal_) return {};
  return [this](const std::string& text, float fraction) {
    const int percent = static_cast<int>(std::lround(std::clamp(fraction, 0.0f, 1.0f) * 100));
    if (percent == shownPercent_) return true;
    shownPercent_ = percent;
    // The trailing blanks wipe what a longer name left on the line.
    std::cerr << '\r' << label_ << ' ' << percent << "%  " << ShownName(text)
              << std::string(20, ' ') << std::flush;
    return true;
  };
}

}  // namespace liftvox::cli
