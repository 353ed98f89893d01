#include "config/configuration_file.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <unordered_map>

#include "base/little_endian.h"
#include "base/message_format.h"
#include "config/dil_file.h"
#include "config/file_io.h"
#include "config/ini_file.h"
#include "config/paths.h"
#include "config/reading_notes.h"
#include "config/recording_finder.h"
#include "config/sequence_section.h"
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

// The keys a sequence and its samples are stored under; they differ in the
// older layout.
constexpr std::string_view kSequenceFields[] = {
    "Code", "Pin", "Bit", "InvSerBit", "InvParBit", "Name", "Priority", "Floor", "Repeat"};
constexpr std::string_view kLegacySequenceFields[] = {"Jmeno", "Priorita"};
constexpr SequenceSection::SampleKeys kSampleKeys{"File", "Silence", "Samples", "DIL"};
constexpr SequenceSection::SampleKeys kLegacySampleKeys{"Soubor", "Ticho", "Vzorku", "DIL"};

// Each stored path is resolved, and its file measured, once per load: a
// configuration at the maxima may name one recording a million times, and
// every look at a file costs system calls.
class StoredFiles {
 public:
  struct File {
    std::string name;
    std::optional<int32_t> frames;
  };

  StoredFiles(TPametRevazie& document, RecordingFinder& finder)
      : document_(document), finder_(finder) {}

  // Where the recording was found is kept in the document's Recordings.
  const File& Find(const std::string& storedPath) {
    const auto found = files_.find(storedPath);
    if (found != files_.end()) return found->second;
    RecordingLocation location = finder_.Locate(storedPath);
    File file;
    file.name = location.usedPath;
    file.frames = document_.MeasureSampleLength(file.name);
    document_.Recordings.Record(std::move(location));
    return files_.emplace(storedPath, std::move(file)).first->second;
  }

 private:
  TPametRevazie& document_;
  RecordingFinder& finder_;
  std::unordered_map<std::string, File> files_;
};

std::unique_ptr<TVzorek> ReadSample(const TPametRevazie& document, StoredFiles& files, bool silence,
                                    const std::string& storedPath, int32_t storedSamples) {
  if (silence) return MakeSilence(document, ClampSilenceSamples(storedSamples));
  const StoredFiles::File& file = files.Find(storedPath);
  auto sample = std::make_unique<TVzorek>();
  sample->FileName = file.name;
  // A stored length stands only for a file that cannot be measured; a
  // negative one would shrink the memory estimate.
  sample->Samples = file.frames.value_or(std::max(storedSamples, 0));
  return sample;
}

int32_t IntegerOr(const std::optional<std::string_view>& value, int32_t defaultValue) {
  return value ? ParseIniInteger(*value).value_or(defaultValue) : defaultValue;
}

void ReadSamples(TPametRevazie& document, TSekvence* sequence, const SequenceSection& section,
                 ReadingNotes& notes, StoredFiles& files) {
  for (const SequenceSection::StoredSample& stored : section.Samples()) {
    // The value "/" ends the list, as a missing key does.
    if (*stored.file == "/") break;
    if (sequence->SampleCount() >= kMaxSamplesPerSequence) {
      notes.SamplesCut(sequence->Name);
      break;
    }
    const bool silence = IntegerOr(stored.silence, 0) != 0;
    int32_t samples = IntegerOr(stored.samples, 1);
    if (silence) samples = notes.Silence(samples);
    auto sample = ReadSample(document, files, silence, std::string(*stored.file), samples);
    sample->DIL = IntegerOr(stored.dil, 0);
    document.AppendSample(sequence, std::move(sample));
  }
}

// The sequence sections from `from` on in file order, which the limit of
// kMaxSequences left unread.
int SequenceSectionsFrom(const std::vector<std::string>& sections, std::size_t from) {
  int count = 0;
  for (std::size_t i = from; i < sections.size(); ++i) count += IsSequenceSection(sections[i]);
  return count;
}

void ReadDilEntries(TPametRevazie& document, const IniSections& ini) {
  document.DilEntries = ReadDilSection(ini, kDil, document.IconNames, 0);
}

void FinishReading(TPametRevazie& document) {
  int sample = 0, sequence = 0;
  document.SelectAt(sample, sequence);
}

enum class ReadOutcome { Read, Cancelled, Failed, NotConfiguration, Stopped };

struct ReadingStopped {};

// Tells the watcher how many of the file's sections are read; a stop ends
// the reading.
void SectionRead(const JobProgress& progress, const std::vector<std::string>& sections,
                 std::size_t index, std::string_view sourceName) {
  const auto fraction = static_cast<float>(index + 1) / static_cast<float>(sections.size());
  if (!ReportProgress(progress, std::string(sourceName), fraction)) throw ReadingStopped{};
}

// Reading errors empty the configuration again, as the file cannot be trusted;
// so does a stop, without asking again about the changes it was asked about.
template <typename Read>
ReadOutcome ReadGuarded(TPametRevazie& document, Read read) {
  ReadOutcome outcome = ReadOutcome::Read;
  try {
    read();
  } catch (const ReadingStopped&) {
    document.SetModified(false);
    document.ClearConfiguration();
    outcome = ReadOutcome::Stopped;
  } catch (const std::exception&) {
    document.ClearConfiguration();
    outcome = ReadOutcome::Failed;
  }
  FinishReading(document);
  return outcome;
}

}  // namespace

std::unique_ptr<TVzorek> ReadStoredSample(TPametRevazie& document, RecordingFinder& finder,
                                          bool silence, std::string_view storedPath,
                                          int32_t storedSamples) {
  StoredFiles files(document, finder);
  return ReadSample(document, files, silence, std::string(storedPath), storedSamples);
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
      std::string stored =
          sample.Silence ? sample.FileName : StoredSamplePath(sample.FileName, folder, base);
      if (stored == "/") stored = "\\";  // a lone "/" would end the list when read
      ini.WriteString(section, Key("File", j), stored);
      ini.WriteInteger(section, Key("DIL", j), sample.Silence ? 0 : sample.DIL);
      ini.WriteInteger(section, Key("Samples", j), sample.Samples);
      ini.WriteBool(section, Key("Silence", j), sample.Silence);
    }
  }
  return true;
}

namespace {

// Where the text comes from: its file (empty for none), whose folder tree
// recordings are looked for in, and who watches the reading.
struct ReadingSource {
  const std::filesystem::path& file;
  const JobProgress& progress;
  std::string name = PathToUtf8(file);
};

// The "v1.01" layout: no general section, other keys, and the general
// sequences told apart by position only.
ReadOutcome ReadLegacyConfiguration(TPametRevazie& document, RecordingFinder& finder,
                                    const IniSections& ini, const ReadingSource& source) {
  return ReadGuarded(document, [&] {
    ReadDilEntries(document, ini);
    ReadingNotes notes;
    StoredFiles files(document, finder);
    int floorCode = 0;
    const std::vector<std::string> sections = ini.Sections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
      const std::string& section = sections[i];
      if (!IsSequenceSection(section)) continue;
      if (document.SequenceCount() >= kMaxSequences) {
        notes.SequencesLeftOut(SequenceSectionsFrom(sections, i));
        break;
      }
      const SequenceSection stored(ini, section, kLegacySequenceFields, kLegacySampleKeys);
      auto created = std::make_unique<TSekvence>();
      created->Name = stored.String("Jmeno", "");
      created->Priority = static_cast<uint8_t>(std::clamp(stored.Integer("Priorita", 0), 0, 15));
      created->Repeat = 255;
      if (document.SequenceCount() >= 7) {
        created->Floor = true;
        created->Code = floorCode++;
      }
      TSekvence* sequence = document.AddSequence(std::move(created));
      if (!sequence) break;
      ReadSamples(document, sequence, stored, notes, files);
      SectionRead(source.progress, sections, i, source.name);
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
    notes.Report(document);
  });
}

ReadOutcome ReadConfigurationFields(TPametRevazie& document, RecordingFinder& finder,
                                    const IniSections& ini, const ReadingSource& source) {
  if (ini.ReadString(kLegacyMarker, "Verze", "") == "v1.01")
    return ReadLegacyConfiguration(document, finder, ini, source);

  if (LeadingNumber(ini.ReadString(kGeneral, "Version", "0")) > 2.0) {
    // Fixed texts: the language file may be as new as the configuration.
    document.prompter().Warn({"ConfigurationVersion", "Načtení konfigurace",
                              "Konfigurace je chybná nebo byla vytvořena novější verzí programu!"});
    FinishReading(document);
    return ReadOutcome::Failed;
  }

  return ReadGuarded(document, [&] {
    document.ParPlayInv = ini.ReadBool(kGeneral, "ParPlayInv", false);
    document.SerPlayInv = ini.ReadBool(kGeneral, "SerPlayInv", false);
    ReadDilEntries(document, ini);
    ReadingNotes notes;
    StoredFiles files(document, finder);
    const std::vector<std::string> sections = ini.Sections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
      const std::string& section = sections[i];
      if (!IsSequenceSection(section)) continue;
      if (document.SequenceCount() >= kMaxSequences) {
        notes.SequencesLeftOut(SequenceSectionsFrom(sections, i));
        break;
      }
      const SequenceSection stored(ini, section, kSequenceFields, kSampleKeys);
      auto created = std::make_unique<TSekvence>();
      created->Code = stored.Integer("Code", 0);
      created->Pin = stored.Integer("Pin", 0);
      created->Bit = stored.Integer("Bit", 0);
      created->InvSerBit = stored.Bool("InvSerBit", false);
      created->InvParBit = stored.Bool("InvParBit", false);
      created->Name = stored.String("Name", "");
      created->Priority = static_cast<uint8_t>(stored.Integer("Priority", 0) & 0xFF);
      created->Floor = stored.Bool("Floor", false);
      created->Repeat = static_cast<uint8_t>(stored.Integer("Repeat", 255) & 0xFF);
      TSekvence* sequence = document.AddSequence(std::move(created));
      if (!sequence) break;
      ReadSamples(document, sequence, stored, notes, files);
      SectionRead(source.progress, sections, i, source.name);
    }
    notes.Report(document);
  });
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
                                     const ReadingSource& source) {
  if (!IsConfigurationText(ini)) {
    WarnNotConfiguration(document, source.name);
    return ReadOutcome::NotConfiguration;
  }
  auto batch = document.BeginBulkChange();
  if (!document.ClearConfiguration()) return ReadOutcome::Cancelled;
  RecordingFinder finder = FinderForConfiguration(document, source.file);
  const ReadOutcome outcome = ReadConfigurationFields(document, finder, ini, source);
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
  return ReadConfigurationOutcome(document, ini, {{}, {}}) == ReadOutcome::Read;
}

bool ReadConfigurationFrom(TPametRevazie& document, const IniSections& ini,
                           const std::filesystem::path& configurationFile) {
  return ReadConfigurationOutcome(document, ini, {configurationFile, {}}) == ReadOutcome::Read;
}

namespace {

std::optional<std::string> RenderText(const TPametRevazie& document,
                                      const std::filesystem::path& configurationFile) {
  TTextIniFile ini;
  if (!WriteConfiguration(document, ini, configurationFile)) return std::nullopt;
  return EncodeText(ini.Text());
}

}  // namespace

std::optional<std::string> RenderConfigurationText(const TPametRevazie& document) {
  return RenderText(document, {});
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
  const ReadOutcome outcome = ReadConfigurationOutcome(document, ini, {{}, {}});
  // A cancelled question, or text that is no configuration, leaves the
  // document as it was: its unsaved edits keep their mark and their file.
  if (outcome == ReadOutcome::Cancelled || outcome == ReadOutcome::NotConfiguration) return false;
  document.SetCurrentFileName("");
  document.SetModified(false);
  return outcome == ReadOutcome::Read;
}

bool OpenConfiguration(TPametRevazie& document, const std::filesystem::path& path,
                       const JobProgress& progress) {
  auto cannotLoad = [&] {
    document.prompter().Warn(
        {"UnableLoadFile", document.Translate("ConfLoad", "Načítání konfigurace"),
         FormatMessage(document.Translate("UnableLoadFile", "Soubor %s nelze načíst!"),
                       PathToUtf8(path))});
  };
  const FileBytes read = ReadBoundedFile(path, kMaxConfigurationFileBytes);
  if (read.error == FileReadError::TooLarge) {
    document.prompter().Warn(
        {"FileTooLarge", document.Translate("ConfLoad", "Načítání konfigurace"),
         FormatMessage(
             document.Translate("FileTooLarge", "Soubor %s nelze načíst: je delší než %s bajtů."),
             PathToUtf8(path), kMaxConfigurationFileBytes)});
    return false;
  }
  if (!read.bytes) {
    cannotLoad();
    return false;
  }
  ReadOutcome outcome = ReadOutcome::Cancelled;
  {
    auto batch = document.BeginBulkChange();
    const TTextIniFile ini(DecodeText(*read.bytes));
    const ReadingSource source{path, progress};
    outcome = ReadConfigurationOutcome(document, ini, source);
    if (outcome == ReadOutcome::Read) document.SetCurrentFileName(source.name);
    // Never give the document the name of a file it was not read from: a later
    // save would overwrite that file with something else. A cancelled question
    // keeps the old document and its name; a failed or stopped read leaves
    // it untitled.
    if (outcome == ReadOutcome::Failed || outcome == ReadOutcome::Stopped)
      document.SetCurrentFileName("");
  }
  if (outcome == ReadOutcome::Read) return true;
  // Text that is no configuration has had its own message; a stop needs none.
  if (outcome != ReadOutcome::NotConfiguration && outcome != ReadOutcome::Stopped) cannotLoad();
  return false;
}

bool SaveConfiguration(TPametRevazie& document, const std::filesystem::path& path) {
  std::error_code error;
  const auto text = RenderText(document, std::filesystem::absolute(path, error));
  if (text && text->size() > kMaxConfigurationFileBytes) {
    document.prompter().Warn(
        {"ConfigurationTooLarge", document.Translate("ConfSave", "Uložení konfigurace"),
         FormatMessage(document.Translate("ConfigurationTooLarge",
                                          "Konfigurace by v souboru %s zabrala %s bajtů, ale "
                                          "načíst lze nejvýše %s bajtů. Nebyla uložena."),
                       PathToUtf8(path), text->size(), kMaxConfigurationFileBytes)});
    return false;
  }
  if (!text || !WriteFileAtomically(path, *text)) {
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
