#include "support/program_runner.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string_view>
#include <thread>

#include "support/test_support.h"

namespace liftvox::test {
namespace {

// "NAME=value" entries as execve takes them; the strings stay owned by `entries`.
std::vector<char*> NullTerminated(std::vector<std::string>& entries) {
  std::vector<char*> pointers;
  for (auto& entry : entries) pointers.push_back(entry.data());
  pointers.push_back(nullptr);
  return pointers;
}

bool IsLocaleVariable(std::string_view entry) {
  for (std::string_view name : {"LANG=", "LANGUAGE=", "LC_ALL=", "LC_MESSAGES="})
    if (entry.starts_with(name)) return true;
  return false;
}

// This process's environment with the locale replaced by `locale`.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& locale) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry; ++entry)
    if (!IsLocaleVariable(*entry)) entries.emplace_back(*entry);
  entries.insert(entries.end(), locale.begin(), locale.end());
  return entries;
}

// Starts `path` with `arguments` and the environment `environment`, its
// stdout and stderr on the given descriptors (-1 leaves them alone).
pid_t Start(const std::string& path, const std::vector<std::string>& arguments,
            std::vector<std::string> environment, int out, int err) {
  std::vector<std::string> all = {path};
  all.insert(all.end(), arguments.begin(), arguments.end());
  // Everything the child needs is built before the fork: allocating after it
  // is not safe in a process with threads.
  const std::vector<char*> argv = NullTerminated(all);
  const std::vector<char*> envp = NullTerminated(environment);
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    if (out >= 0) ::dup2(out, STDOUT_FILENO);
    if (err >= 0) ::dup2(err, STDERR_FILENO);
    ::execve(path.c_str(), argv.data(), envp.data());
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

pid_t StartProgram(const std::filesystem::path& program,
                   const std::vector<std::string>& arguments) {
  return Start(program.string(), arguments, EnvironmentWith({}), -1, -1);
}

std::vector<std::string> CzechLocale() { return {"LANG=cs_CZ.UTF-8"}; }

CliResult RunCli(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& locale) {
  TempDir capture;
  const int out = ::open((capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int err = ::open((capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t child =
      Start((BinDir() / "liftvox-cli").string(), arguments, EnvironmentWith(locale), out, err);
  ::close(out);
  ::close(err);
  int status = 0;
  ::waitpid(child, &status, 0);
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadIfThere(capture / "out");
  result.err = ReadIfThere(capture / "err");
  // In a sanitizer build a report ends the program with an ordinary exit
  // code; a test that expects the command to fail would not notice.
  if (result.err.find("runtime error:") != std::string::npos ||
      result.err.find("Sanitizer") != std::string::npos)
    ADD_FAILURE() << "liftvox-cli reported an error of its own:\n" << result.err;
  return result;
}

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
  ::fcntl(out[0], F_SETFD, FD_CLOEXEC);  // the reading end stays ours
  pid_ = Start((BinDir() / "liftvox-sim").string(), arguments, EnvironmentWith({}), out[1], -1);
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
