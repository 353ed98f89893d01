#include <QApplication>

#include <cstdio>
#include <cstring>

#include "app/command_line.h"
#include "app/main_form.h"
#include "app/screenshot.h"

namespace {

// A screenshot needs no screen: without a display, draw off screen. Decided
// before the application object exists, as Qt picks its platform then.
void DrawOffScreenWithoutDisplay(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  bool screenshot = false;
  for (int i = 1; i < argc; ++i) screenshot |= std::strcmp(argv[i], "--screenshot") == 0;
  if (screenshot && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
#else
  Q_UNUSED(argc);
  Q_UNUSED(argv);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  DrawOffScreenWithoutDisplay(argc, argv);
  QApplication application(argc, argv);
  QApplication::setApplicationName("Liftvox");
  QApplication::setOrganizationName("Tarnel");

  const liftvox::CommandLine line = liftvox::ParseCommandLine(QApplication::arguments().mid(1));
  if (line.help) {
    std::fputs(liftvox::CommandLineUsage().toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (!line.error.isEmpty()) {
    std::fprintf(stderr, "liftvox: %s\n%s", line.error.toLocal8Bit().constData(),
                 liftvox::CommandLineUsage().toLocal8Bit().constData());
    return 2;
  }
  if (!line.screenshot.isEmpty()) return liftvox::TakeScreenshot(line);

  liftvox::TMainForm::Options options;
  options.language = line.language;
  liftvox::TMainForm window(options);
  window.show();
  if (!line.configuration.isEmpty()) window.OpenFile(line.configuration);
  return QApplication::exec();
}
