#pragma once

#include "app/command_line.h"

namespace liftvox {

// `liftvox --screenshot FILE.png ...`: builds the main window with the
// default settings (the user's are neither read nor written), opens the
// configuration if one is given with its first sample selected and the
// smallest memory size it fits in, and saves the window at its designed size. Returns the process
// exit code; problems go to stderr, never into a message box.
int TakeScreenshot(const CommandLine& line);

}  // namespace liftvox
