#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/job_progress.h"
#include "image/image_builder.h"
#include "image/image_settings.h"
#include "model/snapshot.h"

namespace liftvox {

class Prompter;
class TPametRevazie;
class Translator;

// An image build on a worker thread, while the document stays free for
// editing: take the input on the document's thread, run BuildImage on the
// worker, and hand its output back to AdoptBuiltImage on the document's
// thread.

// Everything a build reads, as values, so the worker never touches the
// document.
struct ImageBuildInput {
  ConfigurationSnapshot configuration;
  ImageSettings settings;
  std::vector<std::string> iconNames;      // the DIL entries' icons, for the stored text
  std::filesystem::path programDirectory;  // stored sample paths are relative to it
  std::string fileName;                    // the configuration's own file
  // Both are called on the worker: the translator must be thread-safe, the
  // prompter must take its messages to the user's thread. Null translator:
  // the built-in Czech texts; null prompter: nothing is shown.
  const Translator* translator = nullptr;
  Prompter* prompter = nullptr;
};

// Takes the input from the document; the caller sets translator and prompter.
ImageBuildInput PrepareImageBuild(const TPametRevazie& document, const ImageSettings& settings);

// Builds the image of the input's configuration exactly as BuildMemoryImage
// builds a document's, with the same messages and the same progress and stop.
ImageBuildOutput BuildImage(const ImageBuildInput& input, const JobProgress& progress = {});

// Stores a successful build in the document when the document still holds
// the configuration the build started from (the selection does not count).
// Otherwise, after an edit or a failed or stopped build, nothing changes and
// the image stays stale. Image settings are not compared: a caller that lets
// them change during a build drops the output itself. True when adopted.
bool AdoptBuiltImage(TPametRevazie& document, ImageBuildOutput&& output,
                     const ConfigurationSnapshot& startedFrom);

}  // namespace liftvox
