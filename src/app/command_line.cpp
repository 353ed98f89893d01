#include "app/command_line.h"

#include <QFileInfo>

namespace liftvox {

CommandLine ParseCommandLine(const QStringList& arguments) {
  CommandLine line;
  for (qsizetype i = 0; i < arguments.size() && line.error.isEmpty(); ++i) {
    const QString& argument = arguments[i];
    const auto value = [&](QString& target) {
      if (i + 1 >= arguments.size()) {
        line.error = argument + " needs a value";
        return;
      }
      target = arguments[++i];
    };
    if (argument == "--screenshot") {
      value(line.screenshot);
    } else if (argument == "--dialog") {
      value(line.dialog);
    } else if (argument == "--language") {
      value(line.language);
    } else if (argument == "--help" || argument == "-h") {
      line.help = true;
    } else if (argument.startsWith("-")) {
      line.error = "unknown option " + argument;
    } else if (line.configuration.isEmpty()) {
      line.configuration = argument;
    } else {
      line.error = "more than one configuration: " + argument;
    }
  }
  if (line.error.isEmpty() && !line.dialog.isEmpty() && line.screenshot.isEmpty())
    line.error = "--dialog goes with --screenshot";
  // A language file given by a path is taken from the current folder, as the
  // command-line tool takes it; anything else names a file in Languages/.
  if (const QFileInfo file(line.language); !line.language.isEmpty() && file.isFile())
    line.language = file.absoluteFilePath();
  return line;
}

QString CommandLineUsage() {
  return "usage: liftvox [--language FILE.lng] [CONFIG.cfg]\n"
         "       liftvox --screenshot FILE.png [--dialog NAME] [--language FILE.lng] "
         "[CONFIG.cfg]\n";
}

}  // namespace liftvox
