// zelko77ctl as a function: the command line parsed, the command run, its
// exit status returned. The program's main() is only this call; tests that
// run many commands in one process call it too.
#pragma once
#include "session/device_session.h"

namespace zelko::cli {

// `watch` follows the simulated mice the command makes (tests only).
[[nodiscard]] int RunCommandLine(int argc, const char* const* argv, const session::SimMouseWatch& watch = {});

}  // namespace zelko::cli
