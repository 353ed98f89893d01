#include "config/wizard.h"

#include <algorithm>
#include <memory>

#include "config/dil_file.h"
#include "config/paths.h"
#include "config/profile_file.h"
#include "model/coding.h"
#include "model/document.h"
#include "model/editing.h"

namespace liftvox {
namespace {

constexpr int32_t kLanguageGapSamples = 7228;  // 500 ms

std::string Key(const char* name, int n) { return name + std::to_string(n); }

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
  uint8_t code = static_cast<uint8_t>(n & 0xFF);
  if (choices.gray) code = GrayCode(code);
  if (choices.inverted) code ^= 0xFF;
  return code;
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
  if (!document.ClearConfiguration()) return false;

  for (int32_t pin : choices.specialPins) {
    const GeneralSequenceKind* kind = GeneralKindForPin(pin);
    if (!kind) continue;
    auto sequence = std::make_unique<TSekvence>(&document);
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
    auto sequence = std::make_unique<TSekvence>(&document);
    sequence->Floor = true;
    sequence->Code = ZakodujPatro(choices, k);
    sequence->WizardKey = std::to_string(floor);
    sequence->Name = FloorName(document, floor);
    sequence->Repeat = 255;
    document.AddSequence(std::move(sequence));
  }

  int j = 0;
  for (auto& sequence : document.SequenceList) {
    if (sequence->Floor) continue;
    while (j < 256) {
      const uint8_t code = ZakodujPatro(choices, (j + 128) % 256);
      ++j;
      if (!document.FindSequenceByCode(code)) {
        sequence->Code = code;
        break;
      }
    }
  }

  NactiJazyky(document, choices.languageFiles);
  document.RenumberPositions();
  int sample = 0, sequence = 0;
  document.SelectAt(sample, sequence);
  document.MarkImageStale();
  document.SetModified(true);
  return true;
}

void NactiJazyky(TPametRevazie& document, const std::vector<std::filesystem::path>& languageFiles) {
  document.DilEntries.clear();
  int32_t firstEntry = 0;
  for (const auto& path : languageFiles) {
    const auto file = ProfileFile::Load(path);
    if (!file) continue;
    for (auto& sequence : document.SequenceList) {
      const std::string& section = sequence->WizardKey;
      if (sequence->SampleCount() > 0 && !sequence->SampleList.back()->Silence &&
          file->HasKey(section, "File0")) {
        auto gap = std::make_unique<TVzorek>(&document);
        gap->Silence = true;
        gap->SetFileName(document.Translate("Silence", "Ticho"));
        gap->SetSamples(kLanguageGapSamples);
        document.AppendSample(sequence.get(), std::move(gap));
      }
      for (int n = 0; file->HasKey(section, Key("File", n)); ++n) {
        auto sample = std::make_unique<TVzorek>(&document);
        sample->Silence = file->ReadInteger(section, Key("Silence", n), 0) != 0;
        if (sample->Silence)
          sample->SetFileName(document.Translate("Silence", "Ticho"));
        else
          sample->SetFileName(ResolveStoredPath(file->ReadString(section, Key("File", n), ""),
                                                document.CurrentFileName(),
                                                document.ProgramDirectory));
        sample->SetSamples(file->ReadInteger(section, Key("Samples", n), 1));
        if (!sample->Silence)
          if (const auto measured = document.MeasureSampleLength(sample->FileName))
            sample->SetSamples(*measured);
        sample->DIL = file->ReadInteger(section, Key("DIL", n), 0) + firstEntry;
        document.AppendSample(sequence.get(), std::move(sample));
      }
    }
    const auto keys = file->Keys("/DIL");
    for (const std::string& key : keys)
      document.DilEntries.push_back(
          ParseDilLine(key, file->ReadString("/DIL", key, "?"), document.IconNames, 0));
    firstEntry += static_cast<int32_t>(keys.size());
  }
}

}  // namespace liftvox
