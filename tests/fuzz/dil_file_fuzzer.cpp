// A .DIL file, and the entries it gave written out again.
#include <cstdint>

#include "config/dil_file.h"
#include "config/ini_file.h"
#include "document_setup.h"

using namespace liftvox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  TPametRevazie document;
  fuzz::SetUpDocument(document);
  if (!LoadDilFile(document, fuzz::WriteScratchFile("input.dil", data, size))) return 0;
  TTextIniFile written;
  WriteDilSection(written, "DIL", document.DilEntries, document.IconNames);
  return 0;
}
