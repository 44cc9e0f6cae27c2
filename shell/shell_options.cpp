#include "shell/shell_options.h"

#include <CLI/CLI.hpp>

#include "session/device_option_flags.h"

namespace zelko {

ShellOptionsResult ParseShellOptions(int argc, const char* const* argv) {
  ShellOptionsResult result;
  ShellOptions& o = result.options;
  CLI::App app{"zelko77 - the ZELKO77 gaming mouse configuration window"};
  app.footer(
      "One window runs at a time: a second start brings the first forward and ends.\n"
      "Qt's own options (-platform, -style, ...) are left to Qt.\n"
      "Exit status: 0 done, 2 no mouse (no HID support on this platform), 5 bad input\n"
      "(options, or a --simulate=FILE that is not a 2048-byte memory image), 1 anything else.");
  session::DeviceRequest request;
  request.program = "zelko77";
  session::AddDeviceOptions(app, request);
  app.add_option("--screenshot", o.screenshotFolder,
                 "Render every page in every language to PNG files in DIR (no display needed) and end")
      ->type_name("DIR");
  app.add_flag("--engineer-page", o.engineerPage,
               "Open the engineer page as soon as the mouse has been read (in the window: Ctrl+Shift+E)");
  app.add_option("--single-instance-key", o.instanceKey,
                 "Another key for the one-window check (default: the window title)")
      ->type_name("KEY");
  // Qt's own arguments (-platform, -style ...) are left to Qt.
  app.allow_extras();
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    result.exitCode = session::kExitOk;
    result.output = app.help();
    return result;
  } catch (const CLI::ParseError& e) {
    result.exitCode = session::kExitBadInput;
    result.output = "zelko77: " + std::string(e.what()) + "\nRun with --help for more information.\n";
    return result;
  }
  auto setup = session::ReadDeviceRequest(request);
  if (!setup) {
    result.exitCode = session::kExitBadInput;
    result.output = "zelko77: " + setup.error() + "\n";
    return result;
  }
  o.device = std::move(*setup);
  return result;
}

}  // namespace zelko
