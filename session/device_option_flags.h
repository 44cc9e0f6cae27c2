// The command-line options that choose the mouse, shared by zelko77ctl and
// zelko77 so that both programs take the same --device, --simulate[=FILE]
// and --sim-* flags. Header only: session/ itself does not link the
// argument parser; the programs that include this do.
#pragma once
#include <CLI/CLI.hpp>

#include "session/device_session.h"
#include "sim/sim_option_flags.h"

namespace zelko::session {

// --simulate[=FILE], --device VID:PID and the simulator's options. The
// texts are checked when the mouse is opened (session::ReadDeviceRequest).
inline void AddDeviceOptions(CLI::App& app, DeviceRequest& request) {
  app.add_option(
         "--simulate",
         [&request](const CLI::results_t& values) {
           request.simulate = true;
           request.simulate_file = values.empty() ? std::string{} : values.front();
           return true;
         },
         "Talk to the simulated mouse; with =FILE its memory is loaded from FILE (exactly 2048 "
         "bytes, or missing: then it is created) and saved back to it")
      ->expected(0, 1)
      ->allow_extra_args(false)
      ->type_name("[=FILE]");
  app.add_option("--device", request.device,
                 "Identity of the mouse as VID:PID in hexadecimal (default 3151:7707)")
      ->type_name("VID:PID");
  sim::AddSimulatorOptions(app, request.sim);
}

}  // namespace zelko::session
