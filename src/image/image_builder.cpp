#include "image/image_builder.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <unordered_map>

#include "audio/announcer_sample_reader.h"
#include "audio/wave_error.h"
#include "base/little_endian.h"
#include "base/message_format.h"
#include "base/parallel_jobs.h"
#include "config/configuration_file.h"
#include "config/paths.h"
#include "image/adpcm.h"
#include "image/image_layout.h"
#include "image/memory_size.h"
#include "image/recording_encoder.h"
#include "image/sample_identity.h"
#include "model/document.h"

namespace liftvox {
namespace {

namespace layout = image_layout;

// Why a build ended early; the first two have their messages.
struct MemoryFull {};
struct UnreadableSample {
  std::string fileName;
};
struct UnusableSampleRate {
  std::string fileName;
  uint32_t rate;
};
struct Stopped {};

ImageBuildOutput Failed(int32_t result) {
  ImageBuildOutput output;
  output.result = result;
  return output;
}

struct StoredSample {
  int64_t page;
  uint32_t frames;
};

// A WAV file with its place in the image, to be encoded.
struct Recording {
  std::string fileName;
  int64_t start;  // byte offset of its first code
  int64_t frames;
};

// Runs `work` on a sample file, naming the file in its failures.
template <typename Work>
auto Reading(const std::string& fileName, Work work) {
  try {
    return work();
  } catch (const WaveSampleRateError& error) {
    throw UnusableSampleRate{fileName, error.Rate()};
  } catch (const WaveError&) {
    throw UnreadableSample{fileName};
  }
}

class ImageBuilder {
 public:
  ImageBuilder(const TPametRevazie& document, const ImageSettings& settings,
               const JobProgress& progress)
      : document_(document),
        settings_(settings),
        progress_(progress),
        memorySize_(MemorySizeFromCode(settings.memorySizeCode)),
        pageSize_(PageSizeForMemory(settings.memorySizeCode)) {}

  ImageBuildOutput Build() {
    const ImageCounts counts = CountImage(document_);
    // With no memory size known there is nothing to build for.
    if (memorySize_ <= 0 || counts.listsEnd > 65536) throw MemoryFull{};
    image_.assign(static_cast<std::size_t>(memorySize_) + 1, 0xFF);
    PlanProgress();

    const int64_t dataStartPage = CeilDiv(counts.listsEnd, pageSize_);
    parameterBlock_ = dataStartPage * pageSize_;
    // The fixed part of the parameter block must fit before anything else.
    if (parameterBlock_ + layout::kConfigText >= memorySize_) throw MemoryFull{};
    Put16(layout::kDataStartPage, static_cast<uint32_t>(dataStartPage));
    nextPage_ = dataStartPage;

    WriteParameterBlock(counts);
    WriteConfigurationText();
    WriteEntries(counts);
    WriteMasks();
    EncodeRecordings();

    Put16(layout::kEndPage, static_cast<uint32_t>(nextPage_));
    ReportProgress(progress_, "", 1.0f);
    return {static_cast<int32_t>(nextPage_ * pageSize_), static_cast<int32_t>(memorySize_),
            std::move(image_)};
  }

 private:
  uint8_t& At(int64_t offset) { return image_[static_cast<std::size_t>(parameterBlock_ + offset)]; }
  // Every caller has checked that the field lies inside the memory.
  void Put16(int64_t at, uint32_t value) {
    WriteLittleEndian16(&image_[static_cast<std::size_t>(at)], static_cast<uint16_t>(value));
  }
  void Put32(int64_t at, uint32_t value) {
    WriteLittleEndian32(&image_[static_cast<std::size_t>(at)], value);
  }

  void WriteParameterBlock(const ImageCounts& counts) {
    At(0) = 0x24;
    At(1) = 0x00;
    At(layout::kNonFloorEntries) = static_cast<uint8_t>(counts.nonFloorEntries);
    At(layout::kLastEntry) = static_cast<uint8_t>(counts.entries - 1);
    At(layout::kInterface) = settings_.interfaceCode;
    for (const auto& sequence : document_.SequenceList) {
      if (sequence->Repeat >= 255) continue;
      // Only real inputs and bits have a repeat byte; anything else from a
      // file would land on other fields.
      if (sequence->Pin >= 1 && sequence->Pin <= 7)
        At(layout::kPinRepeat + sequence->Pin) = sequence->Repeat;
      if (sequence->Bit >= 8 && sequence->Bit <= 23)
        At(layout::kBitRepeat + sequence->Bit) = sequence->Repeat;
    }
    At(layout::kConstant700) = 0xBC;
    At(layout::kConstant700 + 1) = 0x02;
  }

  void WriteConfigurationText() {
    const auto text = settings_.setupToFlash ? RenderConfigurationText(document_) : std::nullopt;
    if (!text) {
      Put32(parameterBlock_ + layout::kConfigLength, 0);
      nextPage_ += 1;
      return;
    }
    const int64_t length = static_cast<int64_t>(text->size());
    Put32(parameterBlock_ + layout::kConfigLength, static_cast<uint32_t>(length + 1));
    if (parameterBlock_ + layout::kConfigText + length + 1 >= memorySize_) throw MemoryFull{};
    std::memcpy(&At(layout::kConfigText), text->data(), text->size());
    At(layout::kConfigText + length) = 0;
    nextPage_ += CeilDiv(layout::kConfigText + length + 1, pageSize_);
  }

  void WriteEntries(const ImageCounts& counts) {
    int64_t record = counts.firstRecordOffset;
    int entry = 0;
    for (const ImageEntry& item : ImageEntries(document_)) {
      const TSekvence& sequence = *item.sequence;
      AccumulateMasks(sequence);
      const int64_t directory = layout::kDirectory + 4 * entry;
      Put16(directory, static_cast<uint32_t>(record));
      image_[static_cast<std::size_t>(directory + 2)] =
          static_cast<uint8_t>(sequence.Priority | (item.trigger >> 8));
      image_[static_cast<std::size_t>(directory + 3)] = static_cast<uint8_t>(item.trigger);
      for (const auto& sample : sequence.SampleList) {
        WriteRecord(record, *sample);
        record += layout::kRecordSize;
      }
      std::fill_n(image_.begin() + record, layout::kRecordSize, 0xFF);
      record += layout::kRecordSize;
      ++entry;
    }
  }

  void WriteRecord(int64_t at, const TVzorek& sample) {
    std::fill_n(image_.begin() + at, layout::kRecordSize, 0);
    if (sample.Silence) {
      Put32(at + 2, static_cast<uint32_t>(sample.Samples));
      image_[static_cast<std::size_t>(at + 8)] = layout::kSilenceRecord;
      return;
    }
    const StoredSample stored = Store(sample.FileName);
    const DilEntry* entry = document_.DilEntryFor(sample.DIL);
    Put16(at, static_cast<uint32_t>(stored.page));
    Put32(at + 2, stored.frames);
    Put16(at + 6, entry ? entry->Pattern : 0);
    image_[static_cast<std::size_t>(at + 8)] = layout::kWavRecord;
  }

  // Gives a WAV file the next free pages, or finds where it already is; its
  // encoding waits for EncodeRecordings.
  StoredSample Store(const std::string& fileName) {
    const std::string& key = KeyOf(fileName);
    if (auto known = stored_.find(key); known != stored_.end()) return known->second;
    const int64_t frames = Reading(
        fileName, [&] { return AnnouncerSampleReader(NativePath(fileName)).TotalFrames(); });
    if (frames > 0xFFFFFFFFLL ||
        static_cast<double>(memorySize_) <=
            static_cast<double>(nextPage_ * pageSize_) + static_cast<double>(frames) / 2.0)
      throw MemoryFull{};
    const StoredSample stored{nextPage_, static_cast<uint32_t>(frames)};
    totalSamples_ += frames - plannedSamples_[key];  // the file knows better than the plan
    recordings_.push_back({fileName, nextPage_ * pageSize_, frames});
    nextPage_ += CeilDiv(frames, 2 * int64_t{pageSize_});
    stored_.emplace(key, stored);
    return stored;
  }

  // Each recording has its own pages, so the search of the best encoder runs
  // on every core, one recording a thread; the standard coder is quicker
  // than the files are read and keeps to the caller's thread.
  void EncodeRecordings() {
    const int threads = settings_.encoder == EncoderKind::Best ? EncodingThreads() : 1;
    const bool finished = RunParallelJobs(
        static_cast<int>(recordings_.size()), threads,
        [this](int job, const JobTick& tick) {
          const Recording& recording = recordings_[static_cast<std::size_t>(job)];
          Reading(recording.fileName, [&] { Encode(recording, tick); });
        },
        [this](int job, int64_t encoded) {
          const double fraction =
              totalSamples_ > 0 ? static_cast<double>(encoded) / totalSamples_ : 0.0;
          return ReportProgress(progress_, recordings_[static_cast<std::size_t>(job)].fileName,
                                static_cast<float>(std::min(fraction, 1.0)));
        });
    if (!finished) throw Stopped{};
  }

  static int EncodingThreads() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  }

  // The standard coder's state runs on from block to block; every block but
  // the last is even, so each starts on a whole byte. The search looks ahead
  // across blocks, so it takes the whole recording at once.
  void Encode(const Recording& recording, const JobTick& tick) {
    AnnouncerSampleReader reader(NativePath(recording.fileName));
    if (reader.TotalFrames() != recording.frames)
      throw WaveError("The file changed while the image was built.");
    uint8_t* output = image_.data() + recording.start;
    if (settings_.encoder == EncoderKind::Standard) {
      AdpcmState state;
      for (auto block = reader.NextBlock(); !block.empty(); block = reader.NextBlock()) {
        const auto frames = static_cast<int32_t>(block.size());
        adpcm_coder(block.data(), output, frames, state);
        output += frames / 2;
        if (!tick(frames)) return;
      }
      return;
    }
    const std::vector<uint8_t> samples = reader.ReadRest();
    int64_t reported = 0;
    EncodeRecording(samples, settings_.encoder, {output, (samples.size() + 1) / 2},
                    [&](int64_t done) {
                      const int64_t units = done - reported;
                      reported = done;
                      return tick(units);
                    });
  }

  // The work to do is the samples of every distinct file, as far as their
  // stored lengths tell before the files are opened. The keys are kept, as
  // working them out asks the file system.
  void PlanProgress() {
    for (const auto& sequence : document_.SequenceList) {
      for (const auto& sample : sequence->SampleList) {
        if (sample->Silence || keys_.contains(sample->FileName)) continue;
        const std::string& key =
            keys_.emplace(sample->FileName, SampleFileKey(sample->FileName)).first->second;
        const int64_t planned = std::max<int64_t>(sample->Samples, 0);
        if (plannedSamples_.emplace(key, planned).second) totalSamples_ += planned;
      }
    }
  }

  const std::string& KeyOf(const std::string& fileName) {
    auto known = keys_.find(fileName);
    if (known == keys_.end()) known = keys_.emplace(fileName, SampleFileKey(fileName)).first;
    return known->second;
  }

  void AccumulateMasks(const TSekvence& sequence) {
    if (sequence.InvParBit) {
      switch (sequence.Pin) {
        case 3:
          maskA_ |= 0x40;
          break;
        case 4:
          maskA_ |= 0x20;
          break;
        case 5:
          maskB_ |= 0x01;
          break;
        case 6:
          maskB_ |= 0x02;
          break;
        case 1:
          maskC_ |= 0x20;
          break;
        case 2:
          maskC_ |= 0x40;
          break;
        case 7:
          maskC_ |= 0x80;
          break;
        default:
          break;
      }
    }
    const int bit = sequence.Bit;
    if (sequence.InvSerBit && bit >= 8 && bit <= 23 && bit != 11)
      serialMask_ |= static_cast<uint16_t>(1u << (bit - 8));
  }

  void WriteMasks() {
    At(layout::kParallelMaskA) = maskA_;
    At(layout::kParallelMaskB) = maskB_;
    At(layout::kParallelMaskC) = static_cast<uint8_t>(maskC_ | (document_.ParPlayInv ? 0x04 : 0));
    At(layout::kParallelMaskC + 1) = 0;
    const uint16_t serial = serialMask_ | (document_.SerPlayInv ? 0x08 : 0);
    Put16(parameterBlock_ + layout::kSerialMask, serial);
  }

  const TPametRevazie& document_;
  const ImageSettings& settings_;
  const JobProgress& progress_;
  const int64_t memorySize_;
  const int64_t pageSize_;
  std::vector<uint8_t> image_;
  int64_t parameterBlock_ = 0;
  int64_t nextPage_ = 0;
  std::unordered_map<std::string, StoredSample> stored_;
  std::vector<Recording> recordings_;  // in the order of their pages
  uint8_t maskA_ = 0, maskB_ = 0, maskC_ = 0;
  uint16_t serialMask_ = 0;
  std::unordered_map<std::string, std::string> keys_;        // by sample FileName
  std::unordered_map<std::string, int64_t> plannedSamples_;  // by key
  int64_t totalSamples_ = 0;
};

}  // namespace

ImageBuildOutput BuildMemoryImage(const TPametRevazie& document, const ImageSettings& settings,
                                  const JobProgress& progress) {
  const std::string caption = document.Translate("MemoryBuilding", "Generování paměti");
  try {
    return ImageBuilder(document, settings, progress).Build();
  } catch (const MemoryFull&) {
    document.prompter().Warn(
        {"MemoryFull", caption,
         document.Translate("MemoryFull", "Příliš mnoho dat. Do této paměti se nevejdou!")});
    return Failed(kImageMemoryFull);
  } catch (const UnreadableSample& unreadable) {
    document.prompter().Warn(
        {"UnableLoadFile", caption,
         FormatMessage(document.Translate("UnableLoadFile", "Soubor %s nelze načíst!"),
                       unreadable.fileName)});
    return Failed(kImageUnreadableFile);
  } catch (const UnusableSampleRate& unusable) {
    // A file the drop check never saw (a configuration names it): say what
    // is wrong with it, not only that it cannot be used.
    document.prompter().Warn(
        {"WavSampleRate", caption,
         FormatMessage(document.Translate("WavSampleRate",
                                          "Soubor %s udává vzorkovací kmitočet %d Hz, takový "
                                          "zvuk nelze použít!"),
                       unusable.fileName, unusable.rate)});
    return Failed(kImageUnreadableFile);
  } catch (const Stopped&) {
    return Failed(kImageBuildStopped);
  }
}

bool StoreBuiltImage(TPametRevazie& document, ImageBuildOutput&& output) {
  if (output.result <= 0) return false;
  document.SetMemorySize(output.memorySize);
  document.Image = std::move(output.image);
  document.UsedMemory = output.result;
  document.SetImageStale(false);
  return true;
}

int32_t SestavPamet(TPametRevazie& document, const ImageSettings& settings,
                    const JobProgress& progress) {
  ImageBuildOutput output = BuildMemoryImage(document, settings, progress);
  const int32_t result = output.result;
  StoreBuiltImage(document, std::move(output));
  return result;
}

}  // namespace liftvox
