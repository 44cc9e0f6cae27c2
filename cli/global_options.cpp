#include <CLI/CLI.hpp>

#include "cli/cli_context.h"

namespace zelko::cli {

void AddGlobalOptions(CLI::App& app, CliContext& context) {
  auto& o = context.options;
  app.add_flag("--simulate{}", o.simulate_file,
               "Talk to the simulated mouse; with =FILE its memory is loaded from and saved to FILE")
      ->expected(0, 1)
      ->each([&o](const std::string&) { o.simulate = true; });
  app.add_option("--device", o.device, "Identity of the mouse as VID:PID in hexadecimal");
}

}  // namespace zelko::cli
