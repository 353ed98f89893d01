// A language file: the message lookup, the caption reader, and the same file
// read as the interface list.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "config/utf8.h"
#include "fuzz_input.h"
#include "lang/interfaces_list.h"
#include "lang/language.h"

using namespace liftvox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const auto path = fuzz::WriteScratchFile("input.lng", data, size);
  TLanguage language;
  language.SetLanguageFile(path);
  for (const char* key : {"UnableLoadFile", "Done", "Interface3", ""})
    language.Translate(key, "výchozí");
  try {
    for (const auto& [id, text] : language.ReadCaptions())
      if (utf8::Cut(text, kMaxCaptionCharacters).size() != text.size()) std::abort();
  } catch (const std::runtime_error&) {
    // A file that cannot be read says so; nothing else may be thrown.
  }
  LoadInterfaces(path);
  return 0;
}
