// The one way a test runs the built zelko77ctl: through the tests' process
// runner (test_support/process_runner.h), in a process of its own, with a
// deadline after which the program is killed.
#pragma once
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "test_support/process_runner.h"
#include "test_support/temp_folder.h"

namespace zelko::cli::testing {

using namespace std::chrono_literals;

// Long enough for any command on the simulated mouse in virtual time, also
// under the sanitizers; short enough to end well inside a test's timeout.
inline constexpr std::chrono::milliseconds kCtlTimeout = 30s;

using CtlEnvironment = testing_support::ProcessEnvironment;
using CtlRun = testing_support::ProcessRun;
using testing_support::ReadText;
using testing_support::TempFolder;

CtlRun RunCtl(const std::vector<std::string>& args, std::chrono::milliseconds timeout = kCtlTimeout,
              const CtlEnvironment& environment = {});

// zelko77ctl started and left running: Wait for it (several can run at once).
std::unique_ptr<testing_support::RunningProcess> StartCtl(const std::vector<std::string>& args,
                                                          const CtlEnvironment& environment = {});

}  // namespace zelko::cli::testing
