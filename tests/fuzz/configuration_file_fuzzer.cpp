// The configuration reader on a file: what it read keeps within the program's
// limits and survives the writer.
#include <cstdint>
#include <cstdlib>

#include "config/configuration_file.h"
#include "config/ini_file.h"
#include "config/text_encoding.h"
#include "document_setup.h"
#include "image/memory_estimate.h"

using namespace liftvox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  TPametRevazie document;
  fuzz::SetUpDocument(document);
  if (!OpenConfiguration(document, fuzz::WriteScratchFile("input.cfg", data, size))) return 0;
  OdhadniPamet(document, ImageSettings{});
  for (const auto& sequence : document.SequenceList)  // lengths within what the program sets
    for (const auto& sample : sequence->SampleList)
      if (sample->Samples < 0 || (sample->Silence && sample->Samples > kLongestSilenceSamples))
        std::abort();

  const auto text = RenderConfigurationText(document);
  if (!text) std::abort();  // every icon read is a known one
  TPametRevazie again;
  fuzz::SetUpDocument(again);
  if (!ReadConfiguration(again, TTextIniFile(DecodeText(*text)))) std::abort();
  if (again.SequenceCount() != document.SequenceCount()) std::abort();
  for (int i = 0; i < document.SequenceCount(); ++i)
    if (again.SequenceAt(i)->SampleCount() != document.SequenceAt(i)->SampleCount()) std::abort();
  return 0;
}
