// Checking a configuration whose recordings all moved: 256 sequences naming
// 1 000 recordings by the Windows paths they had, all found again by their
// tails in the configuration's folder tree of 20 000 files (other letter
// case, four languages with the same file names). Target: under 0.5 s for the
// load and the check together; the tree must be read once per load, not once
// per recording. The files stay in the page cache between runs.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "commands/configuration_problems.h"
#include "config/configuration_file.h"
#include "config/ini_file.h"
#include "model/document.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLanguages = 4, kFolders = 50, kFilesPerFolder = 100;  // 20 000 files
constexpr int kRecordings = 1000, kSequences = 256;
const char* const kLanguageNames[kLanguages] = {"cs", "en", "de", "pl"};

// The tree and the configuration, made once and removed at exit.
class MovedRecordings {
 public:
  MovedRecordings() : root_(fs::temp_directory_path() / "liftvox-bench-recordings") {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    for (int language = 0; language < kLanguages; ++language)
      for (int folder = 0; folder < kFolders; ++folder) {
        const fs::path dir = root_ / "nove" / "hlasky" / kLanguageNames[language] /
                             ("skupina" + std::to_string(folder));
        fs::create_directories(dir);
        for (int file = 0; file < kFilesPerFolder; ++file)
          std::ofstream(dir / ("hlaska" + std::to_string(file) + ".wav")) << "RIFF";
      }
    liftvox::TTextIniFile ini;
    for (int i = 0; i < kRecordings; ++i) {
      const std::string section = std::to_string(i % kSequences);
      const int j = i / kSequences;
      ini.WriteInteger(section, "Code", i % kSequences);
      ini.WriteString(section, "File" + std::to_string(j),
                      "C:\\Program Files\\Tarnel\\Hlasky\\" +
                          std::string(kLanguageNames[i % kLanguages]) + "\\SKUPINA" +
                          std::to_string(i / kLanguages % kFolders) + "\\HLASKA" +
                          std::to_string(i / (kLanguages * kFolders)) + ".WAV");
    }
    text_ = ini.Text();
  }
  ~MovedRecordings() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  fs::path File() const { return root_ / "Lift.cfg"; }
  const std::string& Text() const { return text_; }

 private:
  fs::path root_;
  std::string text_;
};

void BM_CheckMovedRecordings(benchmark::State& state) {
  static const MovedRecordings moved;
  const liftvox::TTextIniFile ini(moved.Text());
  for (auto _ : state) {
    liftvox::TPametRevazie document;
    liftvox::ReadConfigurationFrom(document, ini, moved.File());
    benchmark::DoNotOptimize(liftvox::FindConfigurationProblems(document));
    if (document.Recordings.Count(liftvox::RecordingState::FoundElsewhere) != kRecordings)
      state.SkipWithError("not every recording was found");
  }
}
BENCHMARK(BM_CheckMovedRecordings)->Unit(benchmark::kMillisecond);

}  // namespace
