// What every zelko77ctl command shares: the global options and the exit
// status the command leaves.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "sim/sim_options.h"

namespace CLI {
class App;
}

namespace zelko::cli {

struct GlobalOptions {
  // --simulate[=FILE]: talk to the simulated mouse; with FILE its memory is
  // loaded from and saved to FILE.
  bool simulate = false;
  std::string simulate_file;
  // --device VID:PID: another identity for the supported mouse.
  std::string device;
  // Simulator faults as typed (see --help); parsed when the mouse is opened
  // (cli/device_session.h).
  sim::SimOptionTexts sim;
  // --sim-virtual-time: the simulated mouse's exchanges sleep in virtual
  // time, so a full read takes no wall-clock time (for tests and scripts).
  bool sim_virtual_time = false;
  // --lang N: the language pack (1..3) of button labels and messages.
  int language = 1;
};

struct CliContext {
  GlobalOptions options;
  int exit_code = kExitOk;
};

// Each area adds its subcommands; the callbacks store their exit status in
// context.exit_code.
void AddGlobalOptions(CLI::App& app, CliContext& context);
void RegisterDeviceCommands(CLI::App& app, CliContext& context);
void RegisterImageCommands(CLI::App& app, CliContext& context);
void RegisterKeyCommands(CLI::App& app, CliContext& context);
void RegisterMacroCommands(CLI::App& app, CliContext& context);
void RegisterPointerCommands(CLI::App& app, CliContext& context);

}  // namespace zelko::cli
