#include "cli/terminal.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

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

// A signal handler can reach nothing but a lock-free atomic of static
// storage: this is the one flag the program keeps outside an object.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// A second Ctrl+C ends the program as usual, should the stop take too long.
void NoteInterrupt(int) {
  interrupted.store(true);
  std::signal(SIGINT, SIG_DFL);
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

size_t StderrColumns() {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info))
    return static_cast<size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#else
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
  // Not a console: what the shell says, if anything.
  if (const char* columns = std::getenv("COLUMNS")) {
    try {
      return static_cast<size_t>(std::max(0, std::stoi(columns)));
    } catch (const std::exception&) {
    }
  }
  return 0;
}

InterruptCatcher::InterruptCatcher() : previous_(std::signal(SIGINT, &NoteInterrupt)) {
  interrupted.store(false);
}

InterruptCatcher::~InterruptCatcher() {
  std::signal(SIGINT, previous_ == SIG_ERR ? SIG_DFL : previous_);
}

bool InterruptCatcher::Interrupted() const { return interrupted.load(); }

}  // namespace liftvox::cli
