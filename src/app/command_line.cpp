#include "app/command_line.h"

#include <QFileInfo>

#include <filesystem>

#include "config/data_directory.h"
#include "config/paths.h"
#include "lang/language.h"

namespace liftvox {

namespace {

// Options QApplication takes out of the command line for itself.
bool IsQtFlag(const QString& argument) {
  static const QStringList flags = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};
  return flags.contains(argument);
}

bool IsQtOptionWithValue(const QString& argument) {
  static const QStringList options = {"-platform",      "-platformpluginpath",
                                      "-platformtheme", "-plugin",
                                      "-style",         "-stylesheet",
                                      "-session",       "-display",
                                      "-geometry",      "-name",
                                      "-title",         "-qwindowgeometry",
                                      "-qwindowicon",   "-qwindowtitle",
                                      "-qmljsdebugger"};
  return options.contains(argument);
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  CommandLine line;
  for (qsizetype i = 0; i < arguments.size() && line.error.isEmpty(); ++i) {
    const QString& argument = arguments[i];
    if (IsQtFlag(argument)) continue;
    if (IsQtOptionWithValue(argument)) {
      ++i;
      continue;
    }
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
    } else if (argument == "--data") {
      value(line.data);
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

void CheckCommandLine(CommandLine& line) {
  if (!line.error.isEmpty()) return;
  if (!line.data.isEmpty() && !QFileInfo(line.data).isDir()) {
    line.error = "--data: no folder " + line.data;
    return;
  }
  if (line.language.isEmpty()) return;
  const std::filesystem::path data =
      FindDataDirectory(ExecutableDirectory(), PathFromUtf8(line.data.toStdString()));
  const std::filesystem::path file =
      FindLanguageFile(data / "Languages", line.language.toStdString());
  if (file.empty())
    line.error = "--language: no language file " + line.language;
  else
    line.language = QFileInfo(QString::fromStdString(PathToUtf8(file))).absoluteFilePath();
}

QString CommandLineUsage() {
  return "Usage: liftvox [--data DIR] [--language FILE.lng] [CONFIG.cfg]\n"
         "  or:  liftvox --screenshot FILE.png [--dialog NAME] [--data DIR] [--language FILE.lng] "
         "[CONFIG.cfg]\n";
}

QString CommandLineHelp() {
  // The manual page is made from this text (help2man): options as
  // "  --name VALUE", their descriptions two spaces further on.
  return CommandLineUsage() +
         "\n"
         "Edit the configuration CONFIG.cfg (or look at a memory image, IMAGE.bin) of an\n"
         "elevator voice announcer.\n"
         "\n"
         "Options:\n"
         "  --data DIR             Folder with Languages/, Icons/, Help/, Interfaces.ini and\n"
         "                         Default.DIL; by default beside the program, else\n"
         "                         ../share/liftvox from the program's folder\n"
         "  --language FILE.lng    Language of this run: a file in Languages/ (English.lng,\n"
         "                         Deutsch.lng, Čeština.lng); by default the one last chosen\n"
         "  --screenshot FILE.png  Draw the main window at its designed size into FILE.png\n"
         "                         and exit; the user's settings are neither read nor written\n"
         "  --dialog NAME          With --screenshot: draw the dialog of this class name\n"
         "                         (as its command shows it) instead of the main window\n"
         "  -h, --help             Print this help and exit\n";
}

}  // namespace liftvox
