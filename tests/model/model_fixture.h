#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/document.h"
#include "support/test_support.h"

namespace liftvox::test {

// Builders that keep the tests about behaviour rather than setup.
inline std::unique_ptr<TSekvence> MakeSequence(int32_t code, bool floor = false, int32_t pin = 0,
                                               int32_t bit = 0) {
  auto sequence = std::make_unique<TSekvence>();
  sequence->Code = code;
  sequence->Floor = floor;
  sequence->Pin = pin;
  sequence->Bit = bit;
  sequence->Repeat = 255;
  return sequence;
}

// A sequence added to `document` under `name`.
inline TSekvence* AddNamed(TPametRevazie& document, const std::string& name, int32_t code,
                           int32_t pin = 0, int32_t bit = 0, bool floor = false,
                           uint8_t repeat = 255) {
  TSekvence* sequence = document.AddSequence(MakeSequence(code, floor, pin, bit));
  sequence->Name = name;
  sequence->Repeat = repeat;
  return sequence;
}

// A sequence "S<code>" of `samples` recordings /sounds/a0.wav, a1.wav, ...
// of 1000 samples each, added (and selected) as a whole.
inline TSekvence* AddRecordings(TPametRevazie& document, bool floor, int32_t code, int samples) {
  auto sequence = MakeSequence(code, floor);
  sequence->Name = "S" + std::to_string(code);
  for (int i = 0; i < samples; ++i) {
    auto& sample = sequence->SampleList.emplace_back(std::make_unique<TVzorek>());
    sample->FileName = "/sounds/a" + std::to_string(i) + ".wav";
    sample->Samples = 1000;
    sample->Sequence = sequence.get();
  }
  return document.AddSequence(std::move(sequence));
}

inline std::unique_ptr<TVzorek> MakeWav(const std::string& file, int32_t dil = 0,
                                        int32_t samples = 1000) {
  auto sample = std::make_unique<TVzorek>();
  sample->FileName = file;
  sample->Samples = samples;
  sample->DIL = dil;
  return sample;
}

inline std::unique_ptr<TVzorek> MakeSilence(int32_t samples = 7228, int32_t dil = 0) {
  auto sample = std::make_unique<TVzorek>();
  sample->Silence = true;
  sample->FileName = "Ticho";
  sample->Samples = samples;
  sample->DIL = dil;
  return sample;
}

// File names of a sequence's samples, silences as "-" + their DIL.
inline std::vector<std::string> Names(const TSekvence& sequence) {
  std::vector<std::string> names;
  for (const auto& sample : sequence.SampleList)
    names.push_back(sample->Silence ? "-" + std::to_string(sample->DIL) : sample->FileName);
  return names;
}

inline std::vector<int32_t> Codes(const TPametRevazie& document) {
  std::vector<int32_t> codes;
  for (const auto& sequence : document.SequenceList) codes.push_back(sequence->Code);
  return codes;
}

// Everything the document tells its view, in order, as short texts:
// "content 3", "content all", "selection", "modified 1", "stale 0", "file x".
class RecordingView final : public DocumentView {
 public:
  std::vector<std::string> heard;
  void ContentChanged(int i) override {
    heard.push_back("content " + (i == kWholeDocument ? "all" : std::to_string(i)));
  }
  void SelectionChanged() override { heard.push_back("selection"); }
  void ModifiedChanged(bool on) override { heard.push_back("modified " + std::to_string(on)); }
  void FileNameChanged(const std::string& name) override { heard.push_back("file " + name); }
  void ImageStaleChanged(bool on) override { heard.push_back("stale " + std::to_string(on)); }
};

}  // namespace liftvox::test
