#include "config/wizard.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "config/configuration_file.h"
#include "config/dil_file.h"
#include "config/paths.h"
#include "config/profile_file.h"
#include "config/reading_notes.h"
#include "config/recording_finder.h"
#include "model/coding.h"
#include "model/document.h"
#include "model/editing.h"

namespace liftvox {
namespace {

constexpr int32_t kLanguageGapSamples = 7228;  // 500 ms

std::string Key(const char* name, int n) { return name + std::to_string(n); }

// A sample's DIL position in its wizard file, moved past the entries of the
// languages before. A position no file means stays out of the list's range
// (the check reports it) instead of wrapping round into it.
int32_t CombinedDilIndex(int32_t inFile, int64_t firstEntry) {
  return static_cast<int32_t>(std::clamp<int64_t>(inFile + firstEntry, INT32_MIN, INT32_MAX));
}

}  // namespace

std::vector<WizardLanguage> FindWizardLanguages(const std::filesystem::path& languagesDir) {
  std::vector<WizardLanguage> languages;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(languagesDir, error)) {
    if (!item.is_regular_file(error) ||
        !EqualsIgnoreCase(PathToUtf8(item.path().extension()), ".wiz"))
      continue;
    const auto file = ProfileFile::Load(item.path());
    if (!file) continue;
    WizardLanguage language{file->ReadString("/PLAYER", "Language", ""),
                            file->ReadString("/PLAYER", "Icon", ""), item.path()};
    if (!language.name.empty()) languages.push_back(std::move(language));
  }
  std::sort(languages.begin(), languages.end(), [](const auto& a, const auto& b) {
    return LessIgnoreCase(PathToUtf8(a.file.filename()), PathToUtf8(b.file.filename()));
  });
  return languages;
}

uint8_t ZakodujPatro(const WizardChoices& choices, int n) {
  return Zakoduj(FloorCoding{.gray = choices.gray, .inverted = choices.inverted, .floorStart = 0},
                 n);
}

int32_t SpecialPinByName(const std::string& name) {
  static constexpr std::pair<const char*, int32_t> kNames[] = {
      {"overload", 1}, {"alarm", 2}, {"up", 3}, {"down", 4}, {"open", 5}, {"close", 6}, {"univ", 7},
  };
  for (const auto& [text, pin] : kNames)
    if (name == text) return pin;
  return 0;
}

bool SestavKonfiguraci(TPametRevazie& document, const WizardChoices& choices) {
  auto batch = document.BeginBulkChange();
  if (!document.ClearConfiguration()) return false;

  for (int32_t pin : choices.specialPins) {
    const GeneralSequenceKind* kind = GeneralKindForPin(pin);
    if (!kind) continue;
    auto sequence = std::make_unique<TSekvence>();
    sequence->Pin = pin;
    sequence->WizardKey = kind->wizardKey;
    sequence->Name = document.Translate(std::string(kind->wizardKey) + "Hint", kind->defaultName);
    sequence->Code = -1;
    sequence->Repeat = 255;
    document.AddSequence(std::move(sequence));
  }

  const int maxFloors = kMaxSequences - document.SequenceCount();
  const int floors = std::clamp(choices.floorCount, 0, maxFloors);
  int floor = std::clamp(choices.lowestFloor, -3, 2);
  for (int k = 0; k < floors; ++k, ++floor) {
    auto sequence = std::make_unique<TSekvence>();
    sequence->Floor = true;
    sequence->Code = ZakodujPatro(choices, k);
    sequence->WizardKey = std::to_string(floor);
    sequence->Name = FloorName(document, floor);
    sequence->Repeat = 255;
    document.AddSequence(std::move(sequence));
  }

  // The special sequences count on from position 128 of the floors' coding.
  const auto special = [&choices](int j) { return ZakodujPatro(choices, j + 128); };
  int j = 0;
  for (auto& sequence : document.SequenceList) {
    if (sequence->Floor) continue;
    const auto position = document.FindFreeCode(j, special);
    if (!position) break;
    sequence->Code = special(*position);
    j = *position + 1;
  }

  NactiJazyky(document, choices.languageFiles);
  int sample = 0, sequence = 0;
  document.SelectAt(sample, sequence);
  // A new configuration that no file holds yet: closing must ask about it,
  // and a save must not overwrite the file the earlier configuration came
  // from (its name only served to find the recordings above).
  document.SetCurrentFileName("");
  document.SetModified(true);
  return true;
}

void NactiJazyky(TPametRevazie& document, const std::vector<std::filesystem::path>& languageFiles) {
  auto batch = document.BeginBulkChange();
  document.DilEntries.clear();
  // Wizard files name shipped recordings: no configuration tree to search.
  RecordingFinder finder = FinderForConfiguration(document, {});
  int64_t firstEntry = 0;
  ReadingNotes notes;
  for (const auto& path : languageFiles) {
    const auto file = ProfileFile::Load(path);
    if (!file) continue;
    for (auto& sequence : document.SequenceList) {
      const std::string& section = sequence->WizardKey;
      if (sequence->SampleCount() > 0 && !sequence->SampleList.back()->Silence &&
          file->HasKey(section, "File0"))
        document.AppendSample(sequence.get(), MakeSilence(document, kLanguageGapSamples));
      for (int n = 0; file->HasKey(section, Key("File", n)); ++n) {
        const bool silence = file->ReadInteger(section, Key("Silence", n), 0) != 0;
        int32_t samples = file->ReadInteger(section, Key("Samples", n), 1);
        if (silence) samples = notes.Silence(samples);
        auto sample = ReadStoredSample(document, finder, silence,
                                       file->ReadString(section, Key("File", n), ""), samples);
        sample->DIL = CombinedDilIndex(file->ReadInteger(section, Key("DIL", n), 0), firstEntry);
        // A full sequence refuses with a message; the rest of the list is skipped.
        if (!document.AppendSample(sequence.get(), std::move(sample))) break;
      }
    }
    const auto keys = file->Keys("/DIL");
    for (const std::string& key : keys)
      document.DilEntries.push_back(
          ParseDilLine(key, file->ReadString("/DIL", key, "?"), document.IconNames, 0));
    firstEntry += static_cast<int64_t>(keys.size());
  }
  notes.Report(document);
  document.MarkChanged();
  document.NotifyContentChanged();
}

}  // namespace liftvox
