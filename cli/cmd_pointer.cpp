// zelko77ctl commands of this area.
#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/pointer_commands.h"

namespace zelko::cli {

void RegisterPointerCommands(CLI::App& app, CliContext& context) {
  RegisterPointerImageCommands(app, context);
  RegisterPointerOsCommands(app, context);
}

}  // namespace zelko::cli
