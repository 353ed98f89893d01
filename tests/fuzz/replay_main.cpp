// Runs a fuzz target over files and folders of inputs, as the seed corpus
// replay of an ordinary build: a regression seed that crashes, hangs or
// throws fails the test here too, without clang or libFuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace {

void Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path given = argv[i];
    if (std::filesystem::is_directory(given)) {
      for (const auto& entry : std::filesystem::directory_iterator(given)) {
        if (!entry.is_regular_file()) continue;
        Replay(entry.path());
        ++replayed;
      }
    } else {
      Replay(given);
      ++replayed;
    }
  }
  std::printf("%d inputs replayed\n", replayed);
  return replayed > 0 ? 0 : 1;
}
