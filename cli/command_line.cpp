#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include "base/build_info.h"
#include "base/exit_status_text.h"
#include "cli/cli_context.h"
#include "device/platform_transport.h"

namespace zelko::cli {

// --help explains each status with the words of base/exit_status_text.h.
static_assert(kExitStatusTexts[kExitOk].status == kExitOk && kExitStatusTexts[kExitFailure].status == kExitFailure &&
              kExitStatusTexts[kExitNoDevice].status == kExitNoDevice &&
              kExitStatusTexts[kExitNotConfigurable].status == kExitNotConfigurable &&
              kExitStatusTexts[kExitTransferFailed].status == kExitTransferFailed &&
              kExitStatusTexts[kExitBadInput].status == kExitBadInput);

int RunCommandLine(int argc, const char* const* argv, const session::SimMouseWatch& watch) {
  CLI::App app{"zelko77ctl - configure the ZELKO77 gaming mouse"};
  app.require_subcommand(1);
  app.set_version_flag("--version",
                       VersionLines("zelko77ctl") + "HID backend: " + std::string(PlatformTransportName()),
                       "Print the version, the build's commit and the HID backend, and end");
  app.footer(ExitStatusHelp());
  CliContext context;
  context.options.mouse.watch = watch;
  AddGlobalOptions(app, context);
  RegisterDeviceCommands(app, context);
  RegisterImageCommands(app, context);
  RegisterKeyCommands(app, context);
  RegisterMacroCommands(app, context);
  RegisterPointerCommands(app, context);
  RegisterEngineerCommands(app, context);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    (void)app.exit(e);
    return kExitBadInput;
  }
  return context.exit_code;
}

}  // namespace zelko::cli
