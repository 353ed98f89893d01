#include "cli/terminal.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <string>

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
