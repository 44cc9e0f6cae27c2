// The command line of zelko77: the mouse to talk to (real or simulated,
// with the same --device, --simulate[=FILE] and --sim-* options as
// zelko77ctl, checked by the same core code), the picture mode, and whether
// there is a display to open the window on. All of it is decided before Qt
// starts, from the arguments and the environment alone.
#pragma once
#include <string>

#include "session/device_session.h"
#include "session/outcomes.h"

namespace zelko {

// Exit statuses: zelko77ctl's numbers for the same reasons, from the one
// table (session/outcomes.h): kExitBadInput for bad options or a bad
// memory file, kExitNoDevice without a HID backend, kExitFailure without a
// display. --help explains them with base/exit_status_text.h.

struct ShellOptions {
  // The mouse, checked (session::ReadDeviceRequest): its memory file, if any,
  // was read already.
  session::DeviceSetup device;
  // --screenshot DIR: render every page in every language and end.
  std::string screenshotFolder;
  // --single-instance-key KEY: another key for the one-instance check.
  std::string instanceKey;
  // --engineer-page: open the engineer page once the mouse has been read.
  bool engineerPage = false;
};

// What of the environment decides whether a window can open.
struct ShellEnvironment {
  bool x11Display = false;      // DISPLAY is set
  bool waylandDisplay = false;  // WAYLAND_DISPLAY is set
  bool qtPlatform = false;      // QT_QPA_PLATFORM is set
};
// The process's own.
ShellEnvironment ReadShellEnvironment();

struct ShellOptionsResult {
  ShellOptions options;
  int exitCode = -1;   // >= 0: end at once with this code (help, version, bad input, no display)
  std::string output;  // what to print then (stdout for 0, else stderr)
};

// Qt's own options are left to Qt (the --help footer lists them); any other
// unknown option is refused, naming ours it was probably meant to be.
ShellOptionsResult ParseShellOptions(int argc, const char* const* argv, const ShellEnvironment& environment);

}  // namespace zelko
