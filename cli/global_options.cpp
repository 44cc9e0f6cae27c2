#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "sim/sim_option_flags.h"

namespace zelko::cli {

void AddGlobalOptions(CLI::App& app, CliContext& context) {
  // The same options, with the same checks, as zelko77's.
  sim::AddDeviceOptions(app, context.options.mouse);
  app.add_flag("--full", context.options.full_write,
               "Writing commands send the whole image and read all of it back, instead of only "
               "the bytes that change and their read-back");
  app.add_option("--wait-for-mouse", context.options.wait_for_mouse_s,
                 "Seconds to wait while another program (the window, another zelko77ctl) talks to the "
                 "mouse, before giving up with exit status 6")
      ->check(CLI::Range(0, 600));
}

}  // namespace zelko::cli
