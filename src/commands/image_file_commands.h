#pragma once

#include <cstdint>
#include <filesystem>

#include "base/job_progress.h"
#include "image/image_settings.h"

namespace liftvox {

class TPametRevazie;

// The document side of the main window's image file commands; messages and
// questions go through the document's prompter.

// Before the save dialog: when the image is stale, asks "ReBuild" and builds
// on Yes, reporting to `progress`. False when the build failed or was
// stopped (nothing is to be saved).
bool PrepareImageForSaving(TPametRevazie& document, const ImageSettings& settings,
                           const JobProgress& progress = {});

// Saves the document's image as an image file (used part + memory code, via a
// temporary file); "UnableWriteFile" on failure.
bool SaveImageFile(TPametRevazie& document, const ImageSettings& settings,
                   const std::filesystem::path& file);

// Loads an image file built for the current memory size into the document's
// image. A stored configuration replaces the document's (no file name,
// unmodified). Refusals ("FileForMemory", "BadFileFormat", "UnableLoadFile")
// and a cancelled unsaved-changes question leave the document as it was.
bool LoadImageFile(TPametRevazie& document, const ImageSettings& settings,
                   const std::filesystem::path& file);

// The file part of programming from a file: the image is loaded the same way
// but its configuration is not taken. True when the image holds data to send;
// an image whose structure has a problem (FirstImageProblem) is refused with
// "ImageProblem" naming it.
bool LoadImageFileForProgramming(TPametRevazie& document, const ImageSettings& settings,
                                 const std::filesystem::path& file);

}  // namespace liftvox
