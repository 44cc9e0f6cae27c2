// zelko77ctl: the command-line face of the ZELKO77 configuration core.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/utf8_arguments.h"

int main(int argc, char** argv) {
  zelko::cli::UseUtf8Console();
  CLI::App app{"zelko77ctl - configure the ZELKO77 gaming mouse"};
  app.require_subcommand(1);
  zelko::cli::CliContext context;
  zelko::cli::AddGlobalOptions(app, context);
  zelko::cli::RegisterDeviceCommands(app, context);
  zelko::cli::RegisterImageCommands(app, context);
  zelko::cli::RegisterKeyCommands(app, context);
  zelko::cli::RegisterMacroCommands(app, context);
  zelko::cli::RegisterPointerCommands(app, context);
  try {
    std::vector<std::string> arguments = zelko::cli::Utf8Arguments(argc, argv);
    std::vector<char*> pointers;
    for (auto& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    app.parse(static_cast<int>(arguments.size()), pointers.data());
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
