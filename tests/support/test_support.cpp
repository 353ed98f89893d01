#include "support/test_support.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace liftvox::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device random;
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate =
        base / ("liftvox-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool MakeFifo(const std::filesystem::path& path) {
#ifdef _WIN32
  (void)path;
  return false;
#else
  return ::mkfifo(path.c_str(), 0600) == 0;
#endif
}

std::filesystem::path BinDir() {
  const char* dir = std::getenv("LIFTVOX_BIN_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::path(LIFTVOX_BUILT_BIN_DIR);
}

std::filesystem::path TestDataDir() { return LIFTVOX_TEST_DATA_DIR; }

Answer ScriptedPrompter::Next(const Message& m) {
  asked.push_back(m);
  if (answers.empty()) return fallback;
  Answer answer = answers.front();
  answers.erase(answers.begin());
  return answer;
}

}  // namespace liftvox::test
