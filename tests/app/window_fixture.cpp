#include "app/window_fixture.h"

#include "config/configuration_file.h"

namespace liftvox::test {

WindowFixture::WindowFixture() { scratch_.setAutoRemove(true); }

std::unique_ptr<TMainForm> WindowFixture::Open(const std::filesystem::path& programDirectory,
                                               const QString& language, bool detectMemorySize) {
  TMainForm::Options options;
  options.programDirectory = programDirectory;
  options.settingsFile = SettingsFile();
  options.detectMemorySize = detectMemorySize;
  options.soundOutput = false;
  options.language = language;
  auto window = std::make_unique<TMainForm>(options);
  window->Session().Document().SetPrompter(&prompter);
  window->Start();
  return window;
}

std::string ConfigurationText(const TPametRevazie& document) {
  return RenderConfigurationText(document).value_or("(cannot be written)");
}

}  // namespace liftvox::test
