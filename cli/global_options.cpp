#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "sim/sim_option_flags.h"

namespace zelko::cli {

void AddGlobalOptions(CLI::App& app, CliContext& context) {
  auto& o = context.options;
  app.add_option(
         "--simulate",
         [&o](const CLI::results_t& values) {
           o.simulate = true;
           o.simulate_file = values.empty() ? std::string{} : values.front();
           return true;
         },
         "Talk to the simulated mouse; with =FILE its memory is loaded from and saved to FILE")
      ->expected(0, 1)
      ->allow_extra_args(false)
      ->type_name("[=FILE]");
  app.add_option("--device", o.device,
                 "Identity of the mouse as VID:PID in hexadecimal (default 3151:7707)")
      ->type_name("VID:PID");

  sim::AddSimulatorOptions(app, o.sim);
  app.add_flag("--sim-virtual-time", o.sim_virtual_time,
               "Run the simulated mouse in virtual time: no real sleeps")
      ->group("Simulated mouse (with --simulate)");
}

}  // namespace zelko::cli
