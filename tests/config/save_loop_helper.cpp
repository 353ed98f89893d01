// Saves a configuration over one file again and again until it is killed,
// alternating between two contents, so a test can kill it at random moments
// and look at what is left. POSIX and Windows alike; only the test is POSIX.
//
//   liftvox_save_loop contents FIRST.cfg SECOND.cfg   saves each content once
//   liftvox_save_loop once TARGET.cfg                 saves the first content over TARGET
//   liftvox_save_loop loop TARGET.cfg READY           saves over TARGET until killed,
//                                                     creating READY after the first save
#include <cstdio>
#include <cstring>

#include "config/configuration_file.h"
#include "model/document.h"
#include "model/editing.h"
#include "model/prompter.h"

namespace {

// The default configuration, and the same with sixty floors more: a file
// some tens of kilobytes long, so a kill often lands in the middle of a write.
void Fill(liftvox::TPametRevazie& document, bool longer) {
  liftvox::NewConfiguration(document);
  if (longer)
    for (int i = 0; i < 60; ++i) liftvox::AddFloorSequence(document);
}

}  // namespace

int main(int argc, char** argv) {
  liftvox::SilentPrompter prompter;
  liftvox::TPametRevazie first, second;
  for (liftvox::TPametRevazie* document : {&first, &second}) {
    document->SetPrompter(&prompter);
    document->IconNames = {"CZ.BMP"};
  }
  Fill(first, false);
  Fill(second, true);

  if (argc == 4 && std::strcmp(argv[1], "contents") == 0)
    return liftvox::SaveConfiguration(first, argv[2]) && liftvox::SaveConfiguration(second, argv[3])
               ? 0
               : 1;
  if (argc == 3 && std::strcmp(argv[1], "once") == 0)
    return liftvox::SaveConfiguration(first, argv[2]) ? 0 : 1;
  if (argc == 4 && std::strcmp(argv[1], "loop") == 0) {
    if (!liftvox::SaveConfiguration(second, argv[2])) return 1;
    std::FILE* ready = std::fopen(argv[3], "w");
    if (!ready) return 1;
    std::fclose(ready);
    for (;;) {
      if (!liftvox::SaveConfiguration(first, argv[2])) return 1;
      if (!liftvox::SaveConfiguration(second, argv[2])) return 1;
    }
  }
  std::fputs("usage: liftvox_save_loop contents FIRST SECOND | once TARGET | loop TARGET READY\n",
             stderr);
  return 2;
}
