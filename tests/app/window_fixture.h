#pragma once

#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "support/test_support.h"

namespace liftvox::test {

constexpr int kGroundFloor = 7;  // the eighth sequence of a new configuration

// A main window as a test needs it: settings in a scratch INI file (never the
// user's), the chosen memory size without touching a port, no sound output,
// the questions answered by a script, and the start-up steps done.
class WindowFixture {
 public:
  WindowFixture();

  std::unique_ptr<TMainForm> Open(const std::filesystem::path& programDirectory = BinDir(),
                                  const QString& language = {}, bool detectMemorySize = false);

  QString SettingsFile() const { return scratch_.filePath("settings.ini"); }
  QString Scratch(const QString& name) const { return scratch_.filePath(name); }

  ScriptedPrompter prompter;

 private:
  QTemporaryDir scratch_;
};

// The configuration as it would be saved.
std::string ConfigurationText(const TPametRevazie& document);

}  // namespace liftvox::test
