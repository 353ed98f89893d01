#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace liftvox::test {

// The built programs run as a user runs them, found in BinDir(). POSIX only.

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// The locale variables a program sees unless a test names its own: the tests
// were written against the Czech texts, and the developer's own locale must
// not change what they see.
std::vector<std::string> CzechLocale();

// Runs liftvox-cli to its end with `arguments` (no shell quoting needed). Its
// environment is this process's without any locale variable (LANG, LC_ALL,
// LC_MESSAGES, LANGUAGE), plus the "NAME=value" entries of `locale`.
CliResult RunCli(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& locale = CzechLocale());

// Starts `program` (a path) with `arguments` in the background; the caller
// waits for it (waitpid).
pid_t StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments);

// A liftvox-sim running in the background. The constructor waits (bounded)
// for the device path it prints; the destructor always ends the process.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& arguments);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& DevicePath() const { return path_; }
  // Ends the process (it saves its flash on the way out).
  void Stop();

 private:
  pid_t pid_ = -1;
  std::string path_;
};

}  // namespace liftvox::test
