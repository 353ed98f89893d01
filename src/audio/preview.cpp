#include "audio/preview.h"

#include <algorithm>
#include <array>
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

struct Stopped {};

// The preview being written; a write that would make it longer than
// kLongestPreviewSamples ends it with a WaveError before a byte of it is written.
class PreviewOutput {
 public:
  explicit PreviewOutput(TWaveStream& stream) : stream_(stream) {}

  // Throws when `count` more samples would not fit.
  void Expect(int64_t count) const {
    if (count > kLongestPreviewSamples - written_)
      throw WaveError("The preview would be longer than " + std::to_string(kLongestPreviewSamples) +
                      " samples (an hour).");
  }

  void Write(const uint8_t* samples, int64_t count) {
    Expect(count);
    stream_.Write(samples, static_cast<int32_t>(count));
    written_ += count;
  }

 private:
  TWaveStream& stream_;
  int64_t written_ = 0;
};

// How far a preview got, counted in the samples of its sequences (their
// entries, not sound samples); ends the preview when told to stop.
class RenderProgress {
 public:
  RenderProgress(const JobProgress& progress, int64_t samples)
      : progress_(progress), samples_(samples) {}

  // `within` is how far into the current sequence, in its samples.
  void Report(const std::string& text, double within) const {
    const double fraction = samples_ > 0 ? (static_cast<double>(done_) + within) / samples_ : 1.0;
    if (!ReportProgress(progress_, text, static_cast<float>(std::min(fraction, 1.0))))
      throw Stopped{};
  }
  void Advance(int64_t samples) { done_ += samples; }

 private:
  const JobProgress& progress_;
  const int64_t samples_;
  int64_t done_ = 0;
};

void WriteSilence(PreviewOutput& output, int64_t samples) {
  output.Expect(samples);
  static const std::array<uint8_t, kSilenceBlock> silence = [] {
    std::array<uint8_t, kSilenceBlock> block;
    block.fill(128);
    return block;
  }();
  for (; samples >= kSilenceBlock; samples -= kSilenceBlock)
    output.Write(silence.data(), kSilenceBlock);
  if (samples > 0) output.Write(silence.data(), static_cast<int32_t>(samples));
}

// A filtered recording is taken whole; the filter's progress is the
// recording's.
void WriteFiltered(PreviewOutput& output, AnnouncerSampleReader& reader,
                   const std::string& fileName, const RecordingFilter& filter,
                   const RenderProgress& progress, double position) {
  output.Expect(reader.TotalFrames());  // before the filter's work, not after it
  const auto filtered = filter(reader.ReadRest(), [&](double fraction) {
    progress.Report(fileName, position + fraction);
    return true;
  });
  if (!filtered) throw Stopped{};
  for (std::size_t done = 0; done < filtered->size(); done += kSilenceBlock) {
    const std::size_t count = std::min<std::size_t>(kSilenceBlock, filtered->size() - done);
    output.Write(filtered->data() + done, static_cast<int64_t>(count));
  }
}

// `position` is where the recording starts in the watcher's count.
void WriteRecording(PreviewOutput& output, const std::string& fileName,
                    const RecordingFilter& filter, const RenderProgress& progress,
                    double position) {
  try {
    AnnouncerSampleReader reader(NativePath(fileName));
    if (filter) return WriteFiltered(output, reader, fileName, filter, progress, position);
    int64_t written = 0;
    for (auto block = reader.NextBlock(); !block.empty(); block = reader.NextBlock()) {
      output.Write(block.data(), static_cast<int64_t>(block.size()));
      written += static_cast<int64_t>(block.size());
      progress.Report(fileName, position + static_cast<double>(written) / reader.TotalFrames());
    }
  } catch (const WaveError& error) {
    throw WaveError(fileName + ": " + error.what());
  }
}

// Appends what the announcer says for one sequence: the matching samples,
// leading and trailing silence dropped and of several silences in a row only
// the last kept.
void RenderSequence(PreviewOutput& output, const TPametRevazie& document, const TSekvence& sequence,
                    uint8_t switches, const RecordingFilter& filter, RenderProgress& progress) {
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
      WriteRecording(output, sample.FileName, filter, progress, static_cast<double>(i));
    }
    nothingWritten = false;
  }
  progress.Advance(sequence.SampleCount());
}

// A file being written beside its target, removed unless it was put in place.
class PartialFile {
 public:
  explicit PartialFile(const std::filesystem::path& target) : path_(target) { path_ += ".part"; }
  ~PartialFile() {
    std::error_code ignored;
    if (!placed_) std::filesystem::remove(path_, ignored);
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  void PutInPlace(const std::filesystem::path& target) {
    std::filesystem::rename(path_, target);
    placed_ = true;
  }

 private:
  std::filesystem::path path_;
  bool placed_ = false;
};

// The target appears only when complete. False when stopped; then, as after a
// failure, nothing is left behind.
template <typename Render>
bool RenderToFile(const std::filesystem::path& file, Render render,
                  const WaveFormat& format = AnnouncerPcmFormat()) {
  PartialFile partial(file);
  try {
    TFileWaveStream stream(partial.Path(), format);
    PreviewOutput output(stream);
    render(output);
    stream.Finish();
  } catch (const Stopped&) {
    return false;
  }
  partial.PutInPlace(file);
  return true;
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

bool RenderSequencePreview(const std::filesystem::path& file, const TPametRevazie& document,
                           int sequenceIndex, uint8_t switches, const JobProgress& progress,
                           const RecordingFilter& filter) {
  if (sequenceIndex < 0 || sequenceIndex >= document.SequenceCount())
    throw WaveError("No sequence " + std::to_string(sequenceIndex) + ".");
  const TSekvence& sequence = *document.SequenceAt(sequenceIndex);
  return RenderToFile(file, [&](PreviewOutput& output) {
    RenderProgress rendered(progress, sequence.SampleCount());
    RenderSequence(output, document, sequence, switches, filter, rendered);
  });
}

bool RenderAllSequencesPreview(const std::filesystem::path& file, const TPametRevazie& document,
                               int firstSequence, uint8_t switches, const JobProgress& progress,
                               const RecordingFilter& filter) {
  const int first = std::max(firstSequence, 0);
  int64_t samples = 0;
  for (int i = first; i < document.SequenceCount(); ++i)
    samples += document.SequenceAt(i)->SampleCount();
  return RenderToFile(file, [&](PreviewOutput& output) {
    RenderProgress rendered(progress, samples);
    for (int i = first; i < document.SequenceCount(); ++i) {
      const TSekvence& sequence = *document.SequenceAt(i);
      RenderSequence(output, document, sequence, switches, filter, rendered);
      if (sequence.SampleCount() > 0) WriteSilence(output, int64_t{kGapBlocks} * kSilenceBlock);
    }
  });
}

bool RenderRecordingPreview(const std::filesystem::path& file, const std::string& recording,
                            const JobProgress& progress, const RecordingFilter& filter) {
  return RenderToFile(file, [&](PreviewOutput& output) {
    const RenderProgress rendered(progress, 1);
    WriteRecording(output, recording, filter, rendered, 0.0);
  });
}

bool RenderFilePreview(const std::filesystem::path& file, const std::filesystem::path& recording,
                       const JobProgress& progress) {
  AnnouncerSampleReader reader(recording);
  const std::string name = PathToUtf8(recording);
  return RenderToFile(
      file,
      [&](PreviewOutput& output) {
        const RenderProgress rendered(progress, 1);
        int64_t written = 0;
        for (auto block = reader.NextBlock(); !block.empty(); block = reader.NextBlock()) {
          output.Write(block.data(), static_cast<int64_t>(block.size()));
          written += static_cast<int64_t>(block.size());
          rendered.Report(name, static_cast<double>(written) / reader.TotalFrames());
        }
      },
      MakePcmFormat(1, reader.SampleRate(), 8));
}

int32_t SilenceDialogSamples(int32_t milliseconds) {
  return static_cast<int32_t>(int64_t{milliseconds} * 14456 / 1000);
}

int32_t SilenceDialogMilliseconds(int32_t samples) {
  return static_cast<int32_t>(int64_t{samples} * 1000 / 14456);
}

}  // namespace liftvox
