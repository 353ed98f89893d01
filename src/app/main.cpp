#include <QApplication>
#include <QIcon>
#include <QStringList>

#include <cstdio>
#include <cstring>

#include "app/command_line.h"
#include "app/main_form.h"
#include "app/screenshot.h"
#include "config/paths.h"

namespace {

// A screenshot needs no screen: without a display, draw off screen. Decided
// before the application object exists, as Qt picks its platform then.
void DrawOffScreenWithoutDisplay(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  bool screenless = false;
  for (int i = 1; i < argc; ++i) screenless |= std::strcmp(argv[i], "--screenshot") == 0;
  if (screenless && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
#else
  Q_UNUSED(argc);
  Q_UNUSED(argv);
#endif
}

// The icon drawn for the desktop, in the sizes window decorations and task
// bars ask for.
QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/icons/%1x%1/liftvox.png").arg(size));
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  // Wrong arguments and the help are told before Qt needs a display.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  liftvox::CommandLine line = liftvox::ParseCommandLine(arguments);
  liftvox::CheckCommandLine(line);
  if (line.help) {
    std::fputs(liftvox::CommandLineHelp().toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (!line.error.isEmpty()) {
    std::fprintf(stderr, "liftvox: %s\n%s", line.error.toLocal8Bit().constData(),
                 liftvox::CommandLineUsage().toLocal8Bit().constData());
    return 2;
  }

  DrawOffScreenWithoutDisplay(argc, argv);
  QApplication application(argc, argv);
  QApplication::setApplicationName("Liftvox");
  QApplication::setOrganizationName("Tarnel");
  // Desktops match the windows to the installed desktop entry by this name.
  QApplication::setDesktopFileName(LIFTVOX_APP_ID);
  QApplication::setWindowIcon(ProgramIcon());
  if (!line.screenshot.isEmpty()) return liftvox::TakeScreenshot(line);

  liftvox::TMainForm::Options options;
  options.language = line.language;
  options.programDirectory = liftvox::PathFromUtf8(line.data.toStdString());
  liftvox::TMainForm window(options);
  window.show();
  if (!line.configuration.isEmpty()) window.OpenFile(line.configuration);
  return QApplication::exec();
}
