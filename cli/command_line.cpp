#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"

namespace zelko::cli {

int RunCommandLine(int argc, const char* const* argv, const session::SimMouseWatch& watch) {
  CLI::App app{"zelko77ctl - configure the ZELKO77 gaming mouse"};
  app.require_subcommand(1);
  CliContext context;
  context.options.mouse.watch = watch;
  AddGlobalOptions(app, context);
  RegisterDeviceCommands(app, context);
  RegisterImageCommands(app, context);
  RegisterKeyCommands(app, context);
  RegisterMacroCommands(app, context);
  RegisterPointerCommands(app, context);
  RegisterEngineerCommands(app, context);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    (void)app.exit(e);
    return kExitBadInput;
  }
  return context.exit_code;
}

}  // namespace zelko::cli
