// What every zelko77ctl command shares: the global options and the exit
// status the command leaves.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "device/exchange_lock.h"
#include "sim/device_session.h"

namespace CLI {
class App;
}

namespace zelko::cli {

struct GlobalOptions {
  // The mouse as typed: --device VID:PID, --simulate[=FILE] and the
  // simulator's --sim-* knobs (see --help); checked when a command opens
  // the mouse (cli/device_session.h), the same way as zelko77 does.
  sim::DeviceRequest mouse;
  // --lang N: the language pack (1..3) of button labels and messages.
  int language = 1;
  // --full: a writing command sends the whole image and reads it all back,
  // instead of only the bytes that change.
  bool full_write = false;
  // --wait-for-mouse: how long a command waits while another program talks
  // to the mouse before it gives up (kExitMouseBusy).
  std::uint32_t wait_for_mouse_s = kCommandLockWaitMs / 1000;
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
void RegisterEngineerCommands(CLI::App& app, CliContext& context);

}  // namespace zelko::cli
