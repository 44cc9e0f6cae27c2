#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "sim/sim_option_flags.h"

namespace zelko::cli {

void AddGlobalOptions(CLI::App& app, CliContext& context) {
  // The same options, with the same checks, as zelko77's.
  sim::AddDeviceOptions(app, context.options.mouse);
}

}  // namespace zelko::cli
