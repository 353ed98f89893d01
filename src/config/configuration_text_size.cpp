#include "config/configuration_text_size.h"

#include "config/configuration_file.h"
#include "config/dil_file.h"
#include "config/ini_file.h"
#include "config/paths.h"
#include "config/text_encoding.h"
#include "model/document.h"
#include "model/names.h"

namespace liftvox {
namespace {

int64_t Digits(int64_t value) {
  int64_t digits = value < 0 ? 2 : 1;
  for (uint64_t rest = value < 0 ? -static_cast<uint64_t>(value) : value; rest >= 10; rest /= 10)
    ++digits;
  return digits;
}

// "key=value\r\n" for a key of `keyLength` ASCII bytes and a number.
int64_t NumberLine(int64_t keyLength, int64_t value) { return keyLength + 1 + Digits(value) + 2; }

}  // namespace

ConfigurationTextSize::Measure ConfigurationTextSize::MeasureText(const std::string& text) {
  Measure measure;
  std::string encoded;
  measure.utf8 = static_cast<int64_t>(text.size());
  measure.fits = Utf8ToWindows1250(text, encoded);
  measure.windows1250 = static_cast<int64_t>(encoded.size());
  return measure;
}

const ConfigurationTextSize::Measure& ConfigurationTextSize::StoredPath(const std::string& fileName,
                                                                        const std::string& base) {
  auto found = storedPaths_.find(fileName);
  if (found == storedPaths_.end())
    found = storedPaths_.emplace(fileName, MeasureText(StoredSamplePath(fileName, "", base))).first;
  return found->second;
}

const ConfigurationTextSize::Measure& ConfigurationTextSize::Plain(const std::string& text) {
  auto found = plainTexts_.find(text);
  if (found == plainTexts_.end()) found = plainTexts_.emplace(text, MeasureText(text)).first;
  return found->second;
}

std::optional<int64_t> ConfigurationTextSize::Of(const TPametRevazie& document) {
  if (document.ProgramDirectory != base_) {
    base_ = document.ProgramDirectory;
    storedPaths_.clear();
  }
  const std::string base = PathToUtf8(base_);

  // The head is small and holds the cases that need the INI object's own
  // rules (DIL names that collide), so it is really written.
  TTextIniFile head;
  head.WriteString("/GENERAL", "ID", "");
  if (!WriteDilSection(head, "/DIL", document.DilEntries, document.IconNames)) return std::nullopt;
  Measure total = MeasureText(head.Text());
  // The four /GENERAL lines as the writer fills them in.
  total.AddAscii(static_cast<int64_t>(std::string("Elevator player configuration file").size()) +
                 std::string("Version=2.00\r\nParPlayInv=0\r\nSerPlayInv=0\r\n").size());

  for (int i = 0; i < document.SequenceCount(); ++i) {
    const TSekvence& sequence = *document.SequenceAt(i);
    total.AddAscii(1 + Digits(i) + 3);  // "[i]\r\n"
    total.AddAscii(NumberLine(4, sequence.Code));
    total.AddAscii(5 + 2);  // "Name=" ... "\r\n"
    total.Add(Plain(CleanSequenceName(sequence.Name)));
    total.AddAscii(NumberLine(8, sequence.Priority));
    total.AddAscii(NumberLine(5, 0));  // Floor
    total.AddAscii(NumberLine(3, sequence.Pin));
    total.AddAscii(NumberLine(3, sequence.Bit));
    total.AddAscii(NumberLine(9, 0));  // InvSerBit
    total.AddAscii(NumberLine(9, 0));  // InvParBit
    total.AddAscii(NumberLine(6, sequence.Repeat));
    for (int j = 0; j < sequence.SampleCount(); ++j) {
      const TVzorek& sample = *sequence.SampleAt(j);
      const int64_t index = Digits(j);
      total.AddAscii(4 + index + 1 + 2);  // "File<j>=" ... "\r\n"
      total.Add(sample.Silence ? Plain(sample.FileName) : StoredPath(sample.FileName, base));
      total.AddAscii(NumberLine(3 + index, sample.Silence ? 0 : sample.DIL));
      total.AddAscii(NumberLine(7 + index, sample.Samples));
      total.AddAscii(NumberLine(7 + index, 0));  // Silence
    }
    total.AddAscii(2);  // the empty line that ends a section
  }
  // Text that Windows-1250 cannot hold is written as UTF-8 after a 3-byte mark.
  return total.fits ? total.windows1250 : 3 + total.utf8;
}

}  // namespace liftvox
