#include "config/configuration_file.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "base/little_endian.h"
#include "base/message_format.h"
#include "config/dil_file.h"
#include "config/file_io.h"
#include "config/ini_file.h"
#include "config/paths.h"
#include "config/recording_finder.h"
#include "config/text_encoding.h"
#include "model/document.h"
#include "model/names.h"

namespace liftvox {
namespace {

constexpr std::string_view kGeneral = "/GENERAL";
constexpr std::string_view kLegacyMarker = "/REVAZI";
constexpr std::string_view kDil = "/DIL";

// The format version as a number: the longest leading part of the text that
// forms a decimal number with '.' as separator; 0 when there is none.
double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  double sign = 1;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) sign = text[i++] == '-' ? -1 : 1;
  double value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9')
    value = value * 10 + (text[i++] - '0');
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10)
      value += (text[i] - '0') * scale;
  }
  return sign * value;
}

bool IsSequenceSection(std::string_view name) {
  return !EqualsIgnoreCase(name, kGeneral) && !EqualsIgnoreCase(name, kLegacyMarker) &&
         !EqualsIgnoreCase(name, kDil);
}

std::string Key(std::string_view name, int j) { return std::string(name) + std::to_string(j); }

// The keys a sample list is stored under; they differ in the older layout.
struct SampleKeys {
  std::string_view file, silence, samples, dil;
};
constexpr SampleKeys kSampleKeys{"File", "Silence", "Samples", "DIL"};
constexpr SampleKeys kLegacySampleKeys{"Soubor", "Ticho", "Vzorku", "DIL"};

void ReadSamples(TPametRevazie& document, RecordingFinder& finder, TSekvence* sequence,
                 const IniSections& ini, const std::string& section, const SampleKeys& keys) {
  for (int j = 0;; ++j) {
    const std::string stored = ini.ReadString(section, Key(keys.file, j), "/");
    if (stored == "/") break;
    auto sample =
        ReadStoredSample(document, finder, ini.ReadBool(section, Key(keys.silence, j), false),
                         stored, ini.ReadInteger(section, Key(keys.samples, j), 1));
    sample->DIL = ini.ReadInteger(section, Key(keys.dil, j), 0);
    // A full sequence refuses with a message; the rest of its list is skipped.
    if (!document.AppendSample(sequence, std::move(sample))) break;
  }
}

void ReadDilEntries(TPametRevazie& document, const IniSections& ini) {
  document.DilEntries = ReadDilSection(ini, kDil, document.IconNames, 0);
}

void FinishReading(TPametRevazie& document) {
  int sample = 0, sequence = 0;
  document.SelectAt(sample, sequence);
}

// Reading errors empty the configuration again, as the file cannot be trusted.
template <typename Read>
bool ReadGuarded(TPametRevazie& document, Read read) {
  bool ok = true;
  try {
    read();
  } catch (const std::exception&) {
    document.ClearConfiguration();
    ok = false;
  }
  FinishReading(document);
  return ok;
}

}  // namespace

std::unique_ptr<TVzorek> ReadStoredSample(TPametRevazie& document, RecordingFinder& finder,
                                          bool silence, std::string_view storedPath,
                                          int32_t storedSamples) {
  if (silence) return MakeSilence(document, storedSamples);
  auto sample = std::make_unique<TVzorek>();
  RecordingLocation location = finder.Locate(storedPath);
  sample->FileName = location.usedPath;
  document.Recordings.Record(std::move(location));
  sample->Samples = document.MeasureSampleLength(sample->FileName).value_or(storedSamples);
  return sample;
}

bool WriteConfiguration(const TPametRevazie& document, IniSections& ini,
                        const std::filesystem::path& configurationFile) {
  ini.WriteString(kGeneral, "ID", "Elevator player configuration file");
  ini.WriteString(kGeneral, "Version", "2.00");
  ini.WriteBool(kGeneral, "ParPlayInv", document.ParPlayInv);
  ini.WriteBool(kGeneral, "SerPlayInv", document.SerPlayInv);
  if (!WriteDilSection(ini, kDil, document.DilEntries, document.IconNames)) return false;

  const std::string base = PathToUtf8(document.ProgramDirectory);
  const std::string folder =
      configurationFile.empty() ? "" : PathToUtf8(configurationFile.parent_path());
  for (int i = 0; i < document.SequenceCount(); ++i) {
    const TSekvence& sequence = *document.SequenceAt(i);
    const std::string section = std::to_string(i);
    ini.WriteInteger(section, "Code", sequence.Code);
    ini.WriteString(section, "Name", CleanSequenceName(sequence.Name));
    ini.WriteInteger(section, "Priority", sequence.Priority);
    ini.WriteBool(section, "Floor", sequence.Floor);
    ini.WriteInteger(section, "Pin", sequence.Pin);
    ini.WriteInteger(section, "Bit", sequence.Bit);
    ini.WriteBool(section, "InvSerBit", sequence.InvSerBit);
    ini.WriteBool(section, "InvParBit", sequence.InvParBit);
    ini.WriteInteger(section, "Repeat", sequence.Repeat);
    for (int j = 0; j < sequence.SampleCount(); ++j) {
      const TVzorek& sample = *sequence.SampleAt(j);
      ini.WriteString(
          section, Key("File", j),
          sample.Silence ? sample.FileName : StoredSamplePath(sample.FileName, folder, base));
      ini.WriteInteger(section, Key("DIL", j), sample.Silence ? 0 : sample.DIL);
      ini.WriteInteger(section, Key("Samples", j), sample.Samples);
      ini.WriteBool(section, Key("Silence", j), sample.Silence);
    }
  }
  return true;
}

namespace {

enum class ReadOutcome { Read, Cancelled, Failed, NotConfiguration };

// The "v1.01" layout: no general section, other keys, and the general
// sequences told apart by position only.
bool ReadLegacyConfiguration(TPametRevazie& document, RecordingFinder& finder,
                             const IniSections& ini) {
  return ReadGuarded(document, [&] {
    ReadDilEntries(document, ini);
    int floorCode = 0;
    for (const std::string& section : ini.Sections()) {
      if (document.SequenceCount() >= kMaxSequences) break;
      if (!IsSequenceSection(section)) continue;
      auto created = std::make_unique<TSekvence>();
      created->Name = ini.ReadString(section, "Jmeno", "");
      created->Priority =
          static_cast<uint8_t>(std::clamp(ini.ReadInteger(section, "Priorita", 0), 0, 15));
      created->Repeat = 255;
      if (document.SequenceCount() >= 7) {
        created->Floor = true;
        created->Code = floorCode++;
      }
      TSekvence* sequence = document.AddSequence(std::move(created));
      if (!sequence) break;
      ReadSamples(document, finder, sequence, ini, section, kLegacySampleKeys);
    }

    // The older layout stored the general sequences by position only. Each
    // takes the lowest code from the previous one's up that is free then.
    static constexpr int32_t kPinsByPosition[7] = {3, 4, 5, 6, 1, 2, 7};
    int start = 128;
    for (int i = 0; i < std::min(7, document.SequenceCount()); ++i) {
      TSekvence& sequence = *document.SequenceAt(i);
      if (const auto code = document.FindFreeCode(start, [](int code) { return code; })) {
        sequence.Code = *code;
        start = *code;
      }
      sequence.Pin = kPinsByPosition[i];
    }
  });
}

ReadOutcome ReadConfigurationFields(TPametRevazie& document, RecordingFinder& finder,
                                    const IniSections& ini) {
  auto outcome = [](bool read) { return read ? ReadOutcome::Read : ReadOutcome::Failed; };
  if (ini.ReadString(kLegacyMarker, "Verze", "") == "v1.01")
    return outcome(ReadLegacyConfiguration(document, finder, ini));

  if (LeadingNumber(ini.ReadString(kGeneral, "Version", "0")) > 2.0) {
    // Fixed texts: the language file may be as new as the configuration.
    document.prompter().Warn({"ConfigurationVersion", "Načtení konfigurace",
                              "Konfigurace je chybná nebo byla vytvořena novější verzí programu!"});
    FinishReading(document);
    return ReadOutcome::Failed;
  }

  return outcome(ReadGuarded(document, [&] {
    document.ParPlayInv = ini.ReadBool(kGeneral, "ParPlayInv", false);
    document.SerPlayInv = ini.ReadBool(kGeneral, "SerPlayInv", false);
    ReadDilEntries(document, ini);
    for (const std::string& section : ini.Sections()) {
      if (document.SequenceCount() >= kMaxSequences) break;
      if (!IsSequenceSection(section)) continue;
      auto created = std::make_unique<TSekvence>();
      created->Code = ini.ReadInteger(section, "Code", 0);
      created->Pin = ini.ReadInteger(section, "Pin", 0);
      created->Bit = ini.ReadInteger(section, "Bit", 0);
      created->InvSerBit = ini.ReadBool(section, "InvSerBit", false);
      created->InvParBit = ini.ReadBool(section, "InvParBit", false);
      created->Name = ini.ReadString(section, "Name", "");
      created->Priority = static_cast<uint8_t>(ini.ReadInteger(section, "Priority", 0) & 0xFF);
      created->Floor = ini.ReadBool(section, "Floor", false);
      created->Repeat = static_cast<uint8_t>(ini.ReadInteger(section, "Repeat", 255) & 0xFF);
      TSekvence* sequence = document.AddSequence(std::move(created));
      if (!sequence) break;
      ReadSamples(document, finder, sequence, ini, section, kSampleKeys);
    }
  }));
}

// The keys a sequence section is written with, in either layout.
constexpr std::string_view kSequenceKeys[] = {
    "Code",      "Name",   "Priority", "Floor", "Pin",      "Bit",     "InvSerBit",
    "InvParBit", "Repeat", "File0",    "Jmeno", "Priorita", "Soubor0",
};

// "BadFileFormat", naming the source when there is one.
void WarnNotConfiguration(TPametRevazie& document, std::string_view sourceName) {
  const std::string text =
      sourceName.empty()
          ? document.Translate("BadFileFormat", "Soubor má špatný formát!")
          : FormatMessage(document.Translate("BadFileFormat", "Soubor %s má špatný formát!"),
                          sourceName);
  document.prompter().Warn(
      {"BadFileFormat", document.Translate("ConfLoad", "Načítání konfigurace"), text});
}

// The samples already use the files found; the user is told once, and a
// save writes them.
void InformFoundElsewhere(TPametRevazie& document) {
  const int found = document.Recordings.Count(RecordingState::FoundElsewhere);
  if (found == 0) return;
  document.prompter().Inform(
      {"RecordingsFoundElsewhere", document.Translate("ConfLoad", "Načítání konfigurace"),
       FormatMessage(document.Translate("RecordingsFoundElsewhere",
                                        "Nahrávky nalezené jinde, než uvádí konfigurace: %d"),
                     found)});
}

// One report to the view for the whole load, which ends unmodified: the
// document holds what the text says (or nothing, when it failed). Text that
// is no configuration leaves the document as it was, unasked.
ReadOutcome ReadConfigurationOutcome(TPametRevazie& document, const IniSections& ini,
                                     const std::filesystem::path& configurationFile) {
  if (!IsConfigurationText(ini)) {
    WarnNotConfiguration(document, PathToUtf8(configurationFile));
    return ReadOutcome::NotConfiguration;
  }
  auto batch = document.BeginBulkChange();
  if (!document.ClearConfiguration()) return ReadOutcome::Cancelled;
  RecordingFinder finder = FinderForConfiguration(document, configurationFile);
  const ReadOutcome outcome = ReadConfigurationFields(document, finder, ini);
  if (finder.SearchCut()) document.Recordings.MarkSearchCut();
  document.SetModified(false);
  if (outcome == ReadOutcome::Read) InformFoundElsewhere(document);
  return outcome;
}

}  // namespace

bool IsConfigurationText(const IniSections& ini) {
  for (const std::string& section : ini.Sections()) {
    if (!IsSequenceSection(section)) return true;
    for (const std::string_view key : kSequenceKeys)
      if (ini.ValueExists(section, key)) return true;
  }
  return false;
}

bool ReadConfiguration(TPametRevazie& document, const IniSections& ini) {
  return ReadConfigurationOutcome(document, ini, {}) == ReadOutcome::Read;
}

bool ReadConfigurationFrom(TPametRevazie& document, const IniSections& ini,
                           const std::filesystem::path& configurationFile) {
  return ReadConfigurationOutcome(document, ini, configurationFile) == ReadOutcome::Read;
}

std::optional<std::string> RenderConfigurationText(const TPametRevazie& document) {
  TTextIniFile ini;
  if (!WriteConfiguration(document, ini, {})) return std::nullopt;
  return EncodeText(ini.Text());
}

bool LoadConfigurationFromBuffer(TPametRevazie& document, const uint8_t* buffer, std::size_t size) {
  if (!buffer || size < 4) return false;
  const uint32_t length = ReadLittleEndian32(buffer);
  if (length == 0 || length > 0x7FFFFFFF || length > size - 4) return false;
  auto batch = document.BeginBulkChange();
  // The text ends at the first zero byte, and at the latest where L says.
  const auto* text = reinterpret_cast<const char*>(buffer + 4);
  const std::size_t available = length - 1;
  const std::size_t end = std::find(text, text + available, '\0') - text;
  const TTextIniFile ini(DecodeText(std::string_view(text, end)));
  const bool read = ReadConfiguration(document, ini);
  document.SetCurrentFileName("");
  document.SetModified(false);
  return read;
}

bool OpenConfiguration(TPametRevazie& document, const std::filesystem::path& path) {
  auto cannotLoad = [&] {
    document.prompter().Warn(
        {"UnableLoadFile", document.Translate("ConfLoad", "Načítání konfigurace"),
         FormatMessage(document.Translate("UnableLoadFile", "Soubor %s nelze načíst!"),
                       PathToUtf8(path))});
  };
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    cannotLoad();
    return false;
  }
  ReadOutcome outcome = ReadOutcome::Cancelled;
  {
    auto batch = document.BeginBulkChange();
    const TMemIniFile ini(path);
    if (ini.Loaded()) outcome = ReadConfigurationOutcome(document, ini, path);
    if (outcome == ReadOutcome::Read) document.SetCurrentFileName(PathToUtf8(path));
    // Never give the document the name of a file it was not read from: a later
    // save would overwrite that file with something else. A cancelled question
    // keeps the old document and its name; a failed read leaves it untitled.
    if (outcome == ReadOutcome::Failed) document.SetCurrentFileName("");
  }
  if (outcome == ReadOutcome::Read) return true;
  // Text that is no configuration has had its own message.
  if (outcome != ReadOutcome::NotConfiguration) cannotLoad();
  return false;
}

bool SaveConfiguration(TPametRevazie& document, const std::filesystem::path& path) {
  TTextIniFile ini;
  std::error_code error;
  const bool written = WriteConfiguration(document, ini, std::filesystem::absolute(path, error));
  if (!written || !WriteFileAtomically(path, EncodeText(ini.Text()))) {
    document.prompter().Warn(
        {"UnableWriteFile", document.Translate("ConfSave", "Uložení konfigurace"),
         FormatMessage(document.Translate("UnableWriteFile", "Do souboru %s nelze zapisovat!"),
                       PathToUtf8(path))});
    return false;
  }
  document.SetCurrentFileName(PathToUtf8(path));
  document.SetModified(false);
  return true;
}

}  // namespace liftvox
