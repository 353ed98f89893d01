#pragma once

#include <string>
#include <vector>

namespace liftvox::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the built liftvox-cli with arguments (no shell quoting needed).
CliResult RunCli(const std::vector<std::string>& arguments);

}  // namespace liftvox::test
