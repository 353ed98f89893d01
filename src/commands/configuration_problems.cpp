#include "commands/configuration_problems.h"

#include <filesystem>
#include <map>

#include "config/paths.h"
#include "model/document.h"
#include "model/trigger_text.h"

namespace liftvox {
namespace {

// A missing recording's line; an ambiguous one names its candidates, and one
// whose path the configuration wrote otherwise says how it was stored.
std::string MissingRecordingProblem(const TPametRevazie& document, const std::string& file) {
  const RecordingLocation* location = document.Recordings.Find(file);
  if (location && location->state == RecordingState::Ambiguous) {
    std::string line = "ambiguous WAV file: " + location->storedPath + " matches";
    for (const std::string& candidate : location->candidates) line += "\n      " + candidate;
    return line;
  }
  std::string line = "missing WAV file: " + file;
  if (location && location->storedPath != file) line += " (stored as " + location->storedPath + ")";
  return line;
}

enum class FileProblem { None, Missing, NotWave };

// A file that exists but cannot be measured is no WAV file the program reads;
// without a measure nothing is known of its contents.
FileProblem FindFileProblem(const TPametRevazie& document, const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(NativePath(fileName), error)) return FileProblem::Missing;
  if (document.HasSampleLengthMeasure() && !document.MeasureSampleLength(fileName))
    return FileProblem::NotWave;
  return FileProblem::None;
}

}  // namespace

std::vector<std::string> FindConfigurationProblems(const TPametRevazie& document) {
  std::vector<std::string> problems;
  std::map<int32_t, std::string> codes, pins, bits;
  auto claim = [&problems](std::map<int32_t, std::string>& taken, int32_t value,
                           const std::string& what, const std::string& name) {
    auto [it, fresh] = taken.emplace(value, name);
    if (!fresh)
      problems.push_back(what + " " + std::to_string(value) + " is used by both \"" + it->second +
                         "\" and \"" + name + "\"");
  };
  // Each distinct file is looked at once: the maxima name a million samples.
  std::map<std::string, FileProblem> files;
  bool floorSeen = false;
  for (const auto& sequence : document.SequenceList) {
    const std::string& name = sequence->Name;
    if (sequence->Pin > 0) claim(pins, sequence->Pin, "input", name);
    if (sequence->Bit > 0) claim(bits, sequence->Bit, "serial bit", name);
    if (sequence->Pin == 0 && sequence->Bit == 0) {
      if (sequence->Code < 0 || sequence->Code > 255)
        problems.push_back("\"" + name + "\" has code " + std::to_string(sequence->Code) +
                           ", outside 0..255");
      else
        claim(codes, sequence->Code, "code " + CodeToBinary(sequence->Code) + " =", name);
    }
    if (sequence->Floor)
      floorSeen = true;
    else if (floorSeen)
      problems.push_back("general sequence \"" + name + "\" stands after a floor");
    for (const auto& sample : sequence->SampleList) {
      if (sample->Silence) continue;
      if (!files.contains(sample->FileName))
        files.emplace(sample->FileName, FindFileProblem(document, sample->FileName));
      if (sample->DIL < 0 || static_cast<std::size_t>(sample->DIL) >= document.DilEntries.size())
        problems.push_back("a sample of \"" + name + "\" refers to DIL entry " +
                           std::to_string(sample->DIL) + ", past the end of the list (" +
                           std::to_string(document.DilEntries.size()) + " entries)");
    }
  }
  for (const auto& [file, problem] : files) {
    if (problem == FileProblem::Missing)
      problems.push_back(MissingRecordingProblem(document, file));
    if (problem == FileProblem::NotWave) problems.push_back("not a readable WAV file: " + file);
  }
  return problems;
}

}  // namespace liftvox
