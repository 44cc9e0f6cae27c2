// zelko77ctl commands of this area.
#include <CLI/CLI.hpp>

#include "cli/cli_context.h"

namespace zelko::cli {

void RegisterKeyCommands(CLI::App& /*app*/, CliContext& /*context*/) {}

}  // namespace zelko::cli
