#pragma once

#include <QString>
#include <QStringList>

namespace liftvox {

// What `liftvox` was started with (CommandLineHelp describes the options):
//   liftvox [--data DIR] [--language FILE.lng] [CONFIG.cfg]
//   liftvox --screenshot FILE.png [--dialog NAME] [--data DIR] [--language FILE.lng] [CONFIG.cfg]
struct CommandLine {
  QString screenshot;  // where to save the window's picture; empty: run normally
  QString dialog;      // the dialog to picture instead of the main window
  QString language;    // for this run: a language file's name or path
  QString data;        // the shipped data's folder; empty: found (FindDataDirectory)
  QString configuration;
  bool help = false;
  QString error;  // what was wrong with the arguments; empty when nothing
};

// `arguments` without the program's own name. Qt's own options ("-platform
// xcb", "-style fusion", "-reverse" ...) are left to Qt.
CommandLine ParseCommandLine(const QStringList& arguments);

// What parsing cannot know: whether --data names a folder and --language a
// language file (a path, or a file in the data's Languages/ by its name with
// or without ".lng", as liftvox-cli takes it); `language` becomes that file's
// path. Needs no display, so errors are told before the window system starts.
void CheckCommandLine(CommandLine& line);

// The usage lines, for a wrong command line.
QString CommandLineUsage();
// The usage lines with every option described, for --help.
QString CommandLineHelp();

}  // namespace liftvox
