#include "cli/tests/run_ctl.h"

namespace zelko::cli::testing {
namespace {

std::vector<std::string> CtlArguments(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {ZELKO77CTL};
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

}  // namespace

CtlRun RunCtl(const std::vector<std::string>& args, std::chrono::milliseconds timeout,
              const CtlEnvironment& environment) {
  return StartCtl(args, environment)->Wait(timeout);
}

std::unique_ptr<testing_support::RunningProcess> StartCtl(const std::vector<std::string>& args,
                                                          const CtlEnvironment& environment) {
  testing_support::ProcessOptions options;
  options.environment = environment;
  return std::make_unique<testing_support::RunningProcess>(CtlArguments(args), options);
}

}  // namespace zelko::cli::testing
