#include "audio/preview.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "audio/announcer_sample_reader.h"
#include "audio/wave_error.h"
#include "audio/wave_stream.h"
#include "config/paths.h"
#include "model/document.h"

namespace liftvox {
namespace {

constexpr int32_t kSilenceBlock = 1024;
constexpr int kGapBlocks = 15;

void WriteSilence(TWaveStream& output, int64_t samples) {
  static const std::array<uint8_t, kSilenceBlock> silence = [] {
    std::array<uint8_t, kSilenceBlock> block;
    block.fill(128);
    return block;
  }();
  for (; samples >= kSilenceBlock; samples -= kSilenceBlock)
    output.Write(silence.data(), kSilenceBlock);
  if (samples > 0) output.Write(silence.data(), static_cast<int32_t>(samples));
}

void WriteRecording(TWaveStream& output, const std::string& fileName) {
  try {
    AnnouncerSampleReader reader(NativePath(fileName));
    for (auto block = reader.NextBlock(); !block.empty(); block = reader.NextBlock())
      output.Write(block.data(), static_cast<int32_t>(block.size()));
  } catch (const WaveError& error) {
    throw WaveError(fileName + ": " + error.what());
  }
}

template <typename Render>
void RenderToFile(const std::filesystem::path& file, Render render) {
  std::filesystem::path partial = file;
  partial += ".part";
  try {
    {
      TFileWaveStream output(partial, AnnouncerPcmFormat());
      render(output);
      output.Finish();
    }
    std::filesystem::rename(partial, file);
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    throw;
  }
}

}  // namespace

uint8_t SimulatedSwitches(bool switch4, bool switch5, bool switch6, bool switch7) {
  return static_cast<uint8_t>((switch4 ? 0x08 : 0) | (switch5 ? 0x10 : 0) | (switch6 ? 0x20 : 0) |
                              (switch7 ? 0x40 : 0));
}

bool SampleMatches(const TPametRevazie& document, const TVzorek& sample, uint8_t switches) {
  if (sample.Silence) return true;
  const DilEntry* entry = document.DilEntryFor(sample.DIL);
  return DilPatternMatches(entry ? entry->Pattern : 0, switches);
}

void RenderSequence(TWaveStream& output, const TPametRevazie& document, const TSekvence& sequence,
                    uint8_t switches) {
  std::vector<const TVzorek*> matching;
  for (const auto& sample : sequence.SampleList)
    if (SampleMatches(document, *sample, switches)) matching.push_back(sample.get());

  bool nothingWritten = true;
  for (std::size_t i = 0; i < matching.size(); ++i) {
    const TVzorek& sample = *matching[i];
    const TVzorek* next = i + 1 < matching.size() ? matching[i + 1] : nullptr;
    if (sample.Silence) {
      if (!next) break;
      if (next->Silence || nothingWritten) continue;
      WriteSilence(output, sample.Samples);
    } else {
      WriteRecording(output, sample.FileName);
    }
    nothingWritten = false;
  }
}

void RenderSequencePreview(const std::filesystem::path& file, const TPametRevazie& document,
                           int sequenceIndex, uint8_t switches) {
  if (sequenceIndex < 0 || sequenceIndex >= document.SequenceCount())
    throw WaveError("No sequence " + std::to_string(sequenceIndex) + ".");
  RenderToFile(file, [&](TWaveStream& output) {
    RenderSequence(output, document, *document.SequenceAt(sequenceIndex), switches);
  });
}

void RenderAllSequencesPreview(const std::filesystem::path& file, const TPametRevazie& document,
                               int firstSequence, uint8_t switches) {
  RenderToFile(file, [&](TWaveStream& output) {
    for (int i = std::max(firstSequence, 0); i < document.SequenceCount(); ++i) {
      const TSekvence& sequence = *document.SequenceAt(i);
      RenderSequence(output, document, sequence, switches);
      if (sequence.SampleCount() > 0) WriteSilence(output, int64_t{kGapBlocks} * kSilenceBlock);
    }
  });
}

int32_t SilenceDialogSamples(int32_t milliseconds) {
  return static_cast<int32_t>(int64_t{milliseconds} * 14456 / 1000);
}

int32_t SilenceDialogMilliseconds(int32_t samples) {
  return static_cast<int32_t>(int64_t{samples} * 1000 / 14456);
}

}  // namespace liftvox
