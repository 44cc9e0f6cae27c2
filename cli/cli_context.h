// What every zelko77ctl command shares: the global options and the exit
// status the command leaves.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "session/outcomes.h"
#include "session/device_session.h"

namespace CLI {
class App;
}

namespace zelko::cli {

// zelko77ctl's exit statuses: the core's one table (session/outcomes.h).
using session::kExitBadInput;
using session::kExitFailure;
using session::kExitNoDevice;
using session::kExitNotConfigurable;
using session::kExitOk;
using session::kExitTransferFailed;

struct GlobalOptions {
  // The mouse as typed: --device VID:PID, --simulate[=FILE] and the
  // simulator's --sim-* knobs (see --help); checked when a command opens
  // the mouse (cli/device_session.h), the same way as zelko77 does.
  session::DeviceRequest mouse;
  // --lang N: the language pack (1..3) of button labels and messages.
  int language = 1;
  // --full: a writing command sends the whole image and reads it all back,
  // instead of only the bytes that change.
  bool full_write = false;
  // --json of the command that runs: one JSON object instead of text (one
  // per line for keytest and watch), by docs/json/<command>.schema.json.
  bool json = false;
};

struct CliContext {
  GlobalOptions options;
  int exit_code = kExitOk;
};

// Each area adds its subcommands; the callbacks store their exit status in
// context.exit_code.
void AddGlobalOptions(CLI::App& app, CliContext& context);
// --json on a command that prints; sets context.options.json.
void AddJsonFlag(CLI::App& command, CliContext& context);
void RegisterDeviceCommands(CLI::App& app, CliContext& context);
void RegisterImageCommands(CLI::App& app, CliContext& context);
void RegisterKeyCommands(CLI::App& app, CliContext& context);
void RegisterMacroCommands(CLI::App& app, CliContext& context);
void RegisterPointerCommands(CLI::App& app, CliContext& context);
void RegisterEngineerCommands(CLI::App& app, CliContext& context);

}  // namespace zelko::cli
