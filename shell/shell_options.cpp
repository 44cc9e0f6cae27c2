#include "shell/shell_options.h"

#include <CLI/CLI.hpp>

#include "base/hex_text.h"
#include "sim/sim_option_flags.h"
#include "device/identity_text.h"

namespace zelko {

ShellOptionsResult ParseShellOptions(int argc, const char* const* argv) {
  ShellOptionsResult result;
  ShellOptions& o = result.options;
  CLI::App app{"zelko77 - the ZELKO77 gaming mouse configuration window"};
  std::string device;
  sim::SimOptionTexts simTexts;
  // Given without a value the option runs no callback, so whether it was
  // given is read from its count after parsing.
  CLI::Option* simulate =
      app.add_flag("--simulate{}", o.device.simulateFile,
                   "Talk to the simulated mouse; with =FILE its memory is loaded from and saved to FILE")
          ->expected(0, 1);
  app.add_option("--device", device, "Identity of the mouse as VID:PID in hexadecimal (default 3151:7707)");
  app.add_option("--screenshot", o.screenshotFolder,
                 "Render every page in every language to PNG files in DIR and end");
  app.add_option("--single-instance-key", o.instanceKey, "Key of the one-instance check (default: the title)")
      ->group("");
  sim::AddSimulatorOptions(app, simTexts);
  // Qt's own arguments (-platform, -style ...) are left to Qt.
  app.allow_extras();
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    result.exitCode = 0;
    result.output = app.help();
    return result;
  } catch (const CLI::ParseError& e) {
    result.exitCode = 2;
    result.output = std::string(e.what()) + "\n";
    return result;
  }
  o.device.simulate = simulate->count() > 0;
  if (!device.empty()) {
    o.device.identity = ParseDeviceIdentity(device);
    if (!o.device.identity) {
      result.exitCode = 2;
      result.output = "--device: expected VID:PID in hexadecimal, got \"" + device + "\"\n";
      return result;
    }
  }
  const auto faults = sim::ParseSimOptions(simTexts);
  if (!faults.ok()) {
    result.exitCode = 2;
    result.output = faults.error + "\n";
    return result;
  }
  o.device.faults = faults.faults;
  return result;
}

}  // namespace zelko
