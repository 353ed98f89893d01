#include "fuzz_input.h"

#include <fstream>
#include <random>
#include <stdexcept>
#include <string_view>

namespace liftvox::fuzz {
namespace {

class Scratch {
 public:
  Scratch() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
      path_ = base / ("liftvox-fuzz-" + std::to_string(random()));
      if (std::filesystem::create_directory(path_)) return;
    }
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

const std::filesystem::path& ScratchFolder() {
  static const Scratch scratch;
  return scratch.Path();
}

std::filesystem::path WriteScratchFile(const std::string& name, const uint8_t* data,
                                       std::size_t size) {
  const auto path = ScratchFolder() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) throw std::runtime_error("cannot write " + path.string());
  return path;
}

}  // namespace liftvox::fuzz
