// The command line of zelko77: the mouse to talk to (real or simulated,
// with the same --device, --simulate[=FILE] and --sim-* options as
// zelko77ctl, checked by the same core code) and the picture mode.
#pragma once
#include <string>

#include "session/device_session.h"
#include "session/outcomes.h"

namespace zelko {

// Exit statuses: zelko77ctl's numbers for the same reasons, from the one
// table (session/outcomes.h): kExitBadInput for bad options or a bad
// memory file, kExitNoDevice without a HID backend.

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

struct ShellOptionsResult {
  ShellOptions options;
  int exitCode = -1;   // >= 0: end at once with this code (help, bad input)
  std::string output;  // what to print then (stdout for 0, else stderr)
};

ShellOptionsResult ParseShellOptions(int argc, const char* const* argv);

}  // namespace zelko
