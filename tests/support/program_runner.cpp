#include "support/program_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "support/test_support.h"

namespace liftvox::test {
namespace {

// Starts BinDir()/`program` with `arguments`, its stdout and stderr on the
// given descriptors (-1 leaves them alone).
pid_t Start(const std::string& program, const std::vector<std::string>& arguments, int out,
            int err) {
  const std::string path = (BinDir() / program).string();
  std::vector<std::string> all = {path};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    if (out >= 0) ::dup2(out, STDOUT_FILENO);
    if (err >= 0) ::dup2(err, STDERR_FILENO);
    ::execv(path.c_str(), argv.data());
    ::_exit(127);
  }
  return child;
}

std::string ReadIfThere(const std::filesystem::path& path) {
  try {
    return ReadFile(path);
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments) {
  TempDir capture;
  const int out = ::open((capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int err = ::open((capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t child = Start("liftvox-cli", arguments, out, err);
  ::close(out);
  ::close(err);
  int status = 0;
  ::waitpid(child, &status, 0);
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadIfThere(capture / "out");
  result.err = ReadIfThere(capture / "err");
  return result;
}

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
  ::fcntl(out[0], F_SETFD, FD_CLOEXEC);  // the reading end stays ours
  pid_ = Start("liftvox-sim", arguments, out[1], -1);
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
