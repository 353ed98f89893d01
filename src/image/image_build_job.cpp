#include "image/image_build_job.h"

#include "model/document.h"

namespace liftvox {

ImageBuildInput PrepareImageBuild(const TPametRevazie& document, const ImageSettings& settings) {
  ImageBuildInput input;
  input.configuration = TakeSnapshot(document);
  input.settings = settings;
  input.iconNames = document.IconNames;
  input.programDirectory = document.ProgramDirectory;
  input.fileName = document.CurrentFileName();
  return input;
}

ImageBuildOutput BuildImage(const ImageBuildInput& input, const JobProgress& progress) {
  // A private document of the worker's own runs the one builder there is.
  TPametRevazie copy;
  copy.SetTranslator(input.translator);
  copy.SetPrompter(input.prompter);
  copy.IconNames = input.iconNames;
  copy.ProgramDirectory = input.programDirectory;
  copy.SetCurrentFileName(input.fileName);
  RestoreSnapshot(copy, input.configuration);
  return BuildMemoryImage(copy, input.settings, progress);
}

bool AdoptBuiltImage(TPametRevazie& document, ImageBuildOutput&& output,
                     const ConfigurationSnapshot& startedFrom) {
  if (output.result <= 0 || TakeSnapshot(document, &startedFrom) != startedFrom) return false;
  return StoreBuiltImage(document, std::move(output));
}

}  // namespace liftvox
