#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace liftvox {

class IniSections;

// One sequence section of a configuration, read in a single pass over its
// lines. A section at the maxima holds 16 000 lines, and looking each sample
// key up would first cost an index of them all. Keys compare as IniSections
// compares them, without regard to letter case, and the first line of a key
// wins. The values point into `ini`, which must outlive this object.
class SequenceSection {
 public:
  // The names of a sample's keys, each followed by the sample's index
  // written in decimal ("File0", "Samples12"). ASCII, as the formats have them.
  struct SampleKeys {
    std::string_view file, silence, samples, dil;
  };
  // What the section says of one sample; a key it lacks is nullopt.
  struct StoredSample {
    std::optional<std::string_view> file, silence, samples, dil;
  };

  // `fieldKeys`: the section's own keys to keep ("Code", "Name", ...; ASCII).
  SequenceSection(const IniSections& ini, std::string_view section,
                  std::span<const std::string_view> fieldKeys, const SampleKeys& sampleKeys);

  std::string String(std::string_view key, std::string_view defaultValue) const;
  int32_t Integer(std::string_view key, int32_t defaultValue) const;  // as IniSections reads one
  bool Bool(std::string_view key, bool defaultValue) const;

  // Samples 0, 1, 2, ... as long as each has its file key.
  std::span<const StoredSample> Samples() const;

 private:
  std::optional<std::string_view> Field(std::string_view key) const;

  std::vector<std::pair<std::string_view, std::optional<std::string_view>>> fields_;
  std::vector<StoredSample> samples_;
  std::size_t sampleCount_ = 0;
};

}  // namespace liftvox
