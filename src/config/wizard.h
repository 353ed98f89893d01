#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace liftvox {

class TPametRevazie;

// A language offered by the new-configuration wizard: one .wiz file.
struct WizardLanguage {
  std::string name;  // "/PLAYER" "Language"
  std::string icon;  // "/PLAYER" "Icon", may be empty
  std::filesystem::path file;
};

// The *.wiz files of a folder that name their language, sorted by file name.
std::vector<WizardLanguage> FindWizardLanguages(const std::filesystem::path& languagesDir);

// What the wizard's pages chose.
struct WizardChoices {
  // Chosen special sequences by parallel input (1 overload .. 7 universal),
  // in list order. By default all seven.
  std::vector<int32_t> specialPins{1, 2, 3, 4, 5, 6, 7};
  int floorCount = 24;  // at most 256 minus the special sequences
  int lowestFloor = 0;  // -3 (third basement) .. 2 (second floor)
  bool gray = false;
  bool inverted = false;
  std::vector<std::filesystem::path> languageFiles;  // chosen .wiz files in order
};

// The code of floor position n (taken modulo 256): Gray and inversion applied,
// no offset.
uint8_t ZakodujPatro(const WizardChoices& choices, int n);

// The special sequences' parallel inputs by name: "up", "down", "open",
// "close", "overload", "alarm", "univ"; 0 for anything else.
int32_t SpecialPinByName(const std::string& name);

// Builds a new configuration from the choices: special sequences, floors with
// their codes, codes for the special sequences from position 128 upward, then
// the languages' samples. False when the unsaved-changes question is cancelled.
// The result has no file name and is modified (no file holds it yet); the
// view is told once.
bool SestavKonfiguraci(TPametRevazie& document, const WizardChoices& choices);

// Replaces the DIL entries by those of the chosen wizard files and appends
// each language's samples to the sequences whose wizard key it lists,
// separating languages with 500 ms of silence. The document is marked changed.
void NactiJazyky(TPametRevazie& document, const std::vector<std::filesystem::path>& languageFiles);

}  // namespace liftvox
