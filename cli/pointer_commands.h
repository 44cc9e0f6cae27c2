// The commands of the pointer and lighting area.
#pragma once
#include "cli/cli_context.h"

namespace zelko::cli {

// set-dpi, set-aim, set-fire, set-led.
void RegisterPointerImageCommands(CLI::App& app, CliContext& context);
// pointer show, pointer set.
void RegisterPointerOsCommands(CLI::App& app, CliContext& context);

}  // namespace zelko::cli
