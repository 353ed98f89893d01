#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/cli_context.h"
#include "config/data_directory.h"
#include "config/paths.h"

int main(int argc, char** argv) {
  using namespace liftvox::cli;
  CLI::App app{"Liftvox: configuration editor for elevator voice announcers"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string(LIFTVOX_VERSION));

  // The manual page is made from --help-all, every command's help at once.
  app.set_help_all_flag("--help-all", "Print the help of every command and exit");

  CliContext context;
  context.dataDir = liftvox::FindDataDirectory(liftvox::ExecutableDirectory());
  app.add_option_function<std::filesystem::path>(
         "--data",
         [&context](const std::filesystem::path& chosen) {
           context.dataDir = liftvox::FindDataDirectory({}, chosen);
         },
         "Folder with Languages/, Icons/ and Interfaces.ini; by default beside the program, "
         "else ../share/liftvox from the program's folder")
      ->check(CLI::ExistingDirectory);
  app.add_option("--language", context.language,
                 "Language of the messages: a file in Languages/ (English, Deutsch, Čeština) "
                 "or a path; by default the environment's (LC_ALL, LC_MESSAGES, LANG)");

  AddConfigCommands(app, context);
  AddImageCommands(app, context);
  AddDeviceCommands(app, context);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const CliError& e) {
    std::cerr << "error: " << e.what() << '\n';
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "error: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
