#pragma once

#include <cstdint>
#include <vector>

#include "base/job_progress.h"
#include "image/image_settings.h"

namespace liftvox {

class TPametRevazie;

// What a build ends with besides the bytes used (> 0).
inline constexpr int32_t kImageMemoryFull = 0;     // "MemoryFull" was shown
inline constexpr int32_t kImageBuildStopped = -1;  // the progress function said stop
// "UnableLoadFile" was shown, or "WavSampleRate" for a file that gives a
// sample rate below 1000 Hz (0 Hz included).
inline constexpr int32_t kImageUnreadableFile = -2;

// A memory image fresh from the builder, in no document yet.
struct ImageBuildOutput {
  int32_t result = kImageMemoryFull;  // bytes used (EndPage x page size), or a failure above
  int32_t memorySize = 0;             // the memory it was built for, in bytes
  std::vector<uint8_t> image;         // memorySize + 1 bytes on success, else empty
};

// Compiles the document's configuration into a memory image for `settings`:
// header, directory of trigger entries, sample record lists, the parameter
// block with the optional configuration text, and every distinct WAV file
// once as 4-bit ADPCM from a page boundary. Reads the document and the WAV
// files and changes nothing; its messages go through the document's prompter.
// It reads the document throughout, so a build on a worker thread goes
// through image_build_job.h, which builds from a snapshot.
//
// The recordings are encoded with `settings.encoder` once the layout is
// known, the best encoder's on several threads, one recording each; the
// layout, and so the size, is the same for both encoders. `progress` is
// called on the caller's thread only: it hears a file being encoded and the
// fraction done after every block of up to 1024 samples the caller's thread
// encodes, and about every 50 ms while it waits for the other threads (the
// encoding is nearly all of the work); when it returns false the build ends
// with kImageBuildStopped and no message.
ImageBuildOutput BuildMemoryImage(const TPametRevazie& document, const ImageSettings& settings,
                                  const JobProgress& progress = {});

// Puts a successful build into the document: the memory size it was built
// for, the image and UsedMemory, and clears ImageStale. A failed or stopped
// build changes nothing (false). Only for a build of the document as it
// stands; a build that ran beside edits is adopted by AdoptBuiltImage.
bool StoreBuiltImage(TPametRevazie& document, ImageBuildOutput&& output);

// Builds the document's image and stores it, on the document's own thread
// (the command line, and commands that need the image at once). Returns the
// result; after a failure or a stop the document's image, memory size,
// UsedMemory and ImageStale are as they were.
int32_t SestavPamet(TPametRevazie& document, const ImageSettings& settings,
                    const JobProgress& progress = {});

}  // namespace liftvox
