// A wizard file: offered as a language, then used twice by a full wizard run
// (seven special sequences and 24 floors), so the second copy's DIL
// positions are shifted past the first one's.
#include <cstdint>

#include "config/wizard.h"
#include "document_setup.h"

using namespace liftvox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const auto path = fuzz::WriteScratchFile("input.wiz", data, size);
  FindWizardLanguages(fuzz::ScratchFolder());
  TPametRevazie document;
  fuzz::SetUpDocument(document);
  WizardChoices choices;
  choices.languageFiles = {path, path};
  SestavKonfiguraci(document, choices);
  return 0;
}
