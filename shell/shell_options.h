// The command line of zelko77: the mouse to talk to (real or simulated,
// with the simulator's knobs as zelko77ctl takes them) and the picture mode.
#pragma once
#include <string>

#include "shell/device_session.h"

namespace zelko {

struct ShellOptions {
  DeviceChoice device;
  // --screenshot DIR: render every page in every language and end.
  std::string screenshotFolder;
  // --single-instance-key KEY: another key for the one-instance check.
  std::string instanceKey;
};

struct ShellOptionsResult {
  ShellOptions options;
  int exitCode = -1;   // >= 0: end at once with this code (help, bad input)
  std::string output;  // what to print then
};

ShellOptionsResult ParseShellOptions(int argc, const char* const* argv);

}  // namespace zelko
