// The command-line options that choose the mouse, shared by zelko77ctl and
// zelko77 so that both programs take the same --device, --simulate[=FILE]
// and --sim-* flags. Header only: session/ itself does not link the
// argument parser; the programs that include this do.
#pragma once
#include <CLI/CLI.hpp>

#include "session/device_session.h"
#include "sim/sim_option_flags.h"

namespace zelko::session {

// --record-traffic FILE, --replay FILE and --replay-lenient.
inline void AddTrafficOptions(CLI::App& app, DeviceRequest& request) {
  const char* group = "Recording and replaying the traffic";
  app.add_option("--record-traffic", request.record_traffic,
                 "Record every exchange with the mouse in FILE (one JSON object per line; no paths, user "
                 "names or serial numbers)")
      ->type_name("FILE")->group(group);
  app.add_option("--replay", request.replay,
                 "Answer from a recording instead of a mouse, in virtual time; each request must be the "
                 "next one recorded, and the first difference ends the run with its line")
      ->type_name("FILE")->group(group);
  app.add_flag("--replay-lenient", request.replay_lenient,
               "With --replay: answer from the memory the recording implies, so the program may read "
               "more or less than the recorded one")
      ->group(group);
}

// --simulate[=FILE], --device VID:PID, the simulator's options and the
// traffic's. The texts are checked when the mouse is opened
// (session::ReadDeviceRequest).
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
  AddTrafficOptions(app, request);
}

}  // namespace zelko::session
