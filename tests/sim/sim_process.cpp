#include "sim/sim_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "support/test_support.h"

namespace liftvox::test {

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
  const std::string program = (BinDir() / "liftvox-sim").string();
  std::vector<std::string> all = {program};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  // The first line is the device path; give up after five seconds.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  char c = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd request{out[0], POLLIN, 0};
    if (::poll(&request, 1, 100) <= 0) continue;
    if (::read(out[0], &c, 1) != 1 || c == '\n') break;
    path_ += c;
  }
  ::close(out[0]);
  if (path_.empty()) {
    Stop();
    throw std::runtime_error("liftvox-sim did not start");
  }
}

SimProcess::~SimProcess() { Stop(); }

void SimProcess::Stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace liftvox::test
