// Running a helper program (gsettings) with a bounded wait, so that a
// desktop service that does not answer never hangs the caller.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/clock.h"

namespace zelko {

struct CommandResult {
  bool started = false;    // the program was found and started
  bool timed_out = false;  // it was stopped after the wait ran out
  int exit_code = -1;      // its exit status when it ended by itself
  std::string output;      // what it wrote to stdout
  std::string errors;      // what it wrote to stderr
  bool ok() const { return started && !timed_out && exit_code == 0; }
};

class CommandRunner {
 public:
  virtual ~CommandRunner() = default;
  // argv[0] is looked up in PATH. No shell is involved.
  virtual CommandResult Run(const std::vector<std::string>& argv, std::uint32_t timeout_ms) = 0;
};

// Runs real programs; polls for their end through `clock`.
class ProcessRunner final : public CommandRunner {
 public:
  explicit ProcessRunner(Clock& clock) : clock_(clock) {}
  CommandResult Run(const std::vector<std::string>& argv, std::uint32_t timeout_ms) override;

 private:
  Clock& clock_;
};

}  // namespace zelko
