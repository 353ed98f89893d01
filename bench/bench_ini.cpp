// Reading a full configuration: 256 sequence sections with 20 samples each,
// parsed from text and read key by key the way the configuration reader does.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "config/file_io.h"
#include "config/ini_file.h"
#include "config/text_encoding.h"
#include "lang/language.h"

namespace {

std::string LargeConfiguration() {
  liftvox::IniSections ini;
  ini.WriteString("/GENERAL", "Version", "2.00");
  for (int sequence = 0; sequence < 256; ++sequence) {
    const std::string section = std::to_string(sequence);
    ini.WriteInteger(section, "Code", sequence);
    ini.WriteString(section, "Name", "Přízemí " + section);
    for (int sample = 0; sample < 20; ++sample) {
      const std::string j = std::to_string(sample);
      ini.WriteString(section, "File" + j, "Zvuky\\Čeština\\hláška" + j + ".wav");
      ini.WriteInteger(section, "DIL" + j, sample % 3);
      ini.WriteInteger(section, "Samples" + j, 14456);
      ini.WriteBool(section, "Silence" + j, false);
    }
  }
  return liftvox::EncodeText(ini.Text());
}

void BM_ReadLargeConfiguration(benchmark::State& state) {
  const std::string bytes = LargeConfiguration();
  for (auto _ : state) {
    const liftvox::IniSections ini(liftvox::DecodeText(bytes));
    int64_t total = 0;
    for (const std::string& section : ini.Sections()) {
      total += ini.ReadInteger(section, "Code", 0);
      for (int j = 0; ini.ValueExists(section, "File" + std::to_string(j)); ++j) {
        const std::string n = std::to_string(j);
        total += static_cast<int64_t>(ini.ReadString(section, "File" + n, "/").size());
        total +=
            ini.ReadInteger(section, "Samples" + n, 1) + ini.ReadInteger(section, "DIL" + n, 0);
        total += ini.ReadBool(section, "Silence" + n, false);
      }
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadLargeConfiguration)->Unit(benchmark::kMillisecond);

void BM_TranslateFromUnchangedFile(benchmark::State& state) {
  const auto file = std::filesystem::temp_directory_path() / "liftvox-bench-language.lng";
  std::string text = "[Messages]\r\n";
  for (int i = 0; i < 300; ++i)
    text += "Key" + std::to_string(i) + "=Text number " + std::to_string(i) + "\r\n";
  liftvox::WriteFileAtomically(file, text);
  // An old time stamp: the steady state, not the first seconds after a save.
  std::filesystem::last_write_time(file,
                                   std::filesystem::last_write_time(file) - std::chrono::hours(1));
  liftvox::TLanguage language;
  language.SetLanguageFile(file);
  for (auto _ : state) benchmark::DoNotOptimize(language.Translate("Key150", "default"));
  std::filesystem::remove(file);
}
BENCHMARK(BM_TranslateFromUnchangedFile)->Unit(benchmark::kMicrosecond);

}  // namespace
