#include "window_fixture.h"

namespace liftvox::test {

WindowFixture::WindowFixture() { scratch_.setAutoRemove(true); }

std::unique_ptr<TMainForm> WindowFixture::Open(const std::filesystem::path& programDirectory,
                                               const QString& language) {
  TMainForm::Options options;
  options.programDirectory = programDirectory;
  options.settingsFile = SettingsFile();
  options.detectMemorySize = false;
  options.soundOutput = false;
  options.language = language;
  auto window = std::make_unique<TMainForm>(options);
  window->Document().SetPrompter(&prompter);
  window->Start();
  return window;
}

}  // namespace liftvox::test
