#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

namespace liftvox {

class TPametRevazie;

// The size in bytes of the configuration text a save would write, worked out
// without writing it. The memory estimate needs only this size after every
// edit, and writing a large configuration costs far more than summing its
// lines. It remembers what it learnt about each sample path, so keep one
// object for repeated use. Its result always equals the size of
// RenderConfigurationText (tests hold the two together).
class ConfigurationTextSize {
 public:
  // nullopt when the configuration cannot be written (an unknown DIL icon).
  std::optional<int64_t> Of(const TPametRevazie& document);

 private:
  // A piece of text measured both ways it may be written.
  struct Measure {
    int64_t utf8 = 0;
    int64_t windows1250 = 0;
    bool fits = true;  // every character has a Windows-1250 byte
    void Add(const Measure& other) {
      utf8 += other.utf8;
      windows1250 += other.windows1250;
      fits = fits && other.fits;
    }
    void AddAscii(int64_t bytes) {
      utf8 += bytes;
      windows1250 += bytes;
    }
  };
  static Measure MeasureText(const std::string& text);
  const Measure& StoredPath(const std::string& fileName, const std::string& base);
  const Measure& Plain(const std::string& text);

  std::filesystem::path base_;
  std::unordered_map<std::string, Measure> storedPaths_;  // by sample FileName
  std::unordered_map<std::string, Measure> plainTexts_;
};

}  // namespace liftvox
