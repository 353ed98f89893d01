// A configuration kept in a memory buffer (an image, the announcer): the
// length field and the text as they come.
#include <cstdint>

#include "config/configuration_file.h"
#include "document_setup.h"

using namespace liftvox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  TPametRevazie document;
  fuzz::SetUpDocument(document);
  LoadConfigurationFromBuffer(document, data, size);
  return 0;
}
