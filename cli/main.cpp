// zelko77ctl: the command-line face of the ZELKO77 configuration core.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.h"

int main(int argc, char** argv) {
  CLI::App app{"zelko77ctl - configure the ZELKO77 gaming mouse"};
  app.require_subcommand(1);
  zelko::cli::CliContext context;
  zelko::cli::AddGlobalOptions(app, context);
  zelko::cli::RegisterDeviceCommands(app, context);
  zelko::cli::RegisterImageCommands(app, context);
  zelko::cli::RegisterKeyCommands(app, context);
  zelko::cli::RegisterMacroCommands(app, context);
  zelko::cli::RegisterPointerCommands(app, context);
  zelko::cli::RegisterEngineerCommands(app, context);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return zelko::cli::kExitBadInput;
  }
  return context.exit_code;
}
