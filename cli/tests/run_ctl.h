// The one way a test runs the built zelko77ctl: in a process of its own,
// with the arguments as given (no shell), an environment the test can add
// to, standard input from /dev/null, standard output and standard error
// captured apart, and a deadline after which the program is killed.
#pragma once
#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace zelko::cli::testing {

using namespace std::chrono_literals;

// Long enough for any command on the simulated mouse in virtual time, also
// under the sanitizers; short enough to end well inside a test's timeout.
inline constexpr std::chrono::milliseconds kCtlTimeout = 30s;

// Variables set for the program on top of the test's own environment.
using CtlEnvironment = std::vector<std::pair<std::string, std::string>>;

struct CtlRun {
  std::string command;  // the command line, for messages
  int exit_code = -1;   // -1 unless the program exited by itself
  std::string out;
  std::string err;
  bool timed_out = false;  // killed at the deadline
  std::string failure;     // why it could not be started, or the signal that ended it

  bool exited() const { return !timed_out && failure.empty(); }
};

// Prints how the run ended and what it wrote to stderr, for test messages.
std::ostream& operator<<(std::ostream& os, const CtlRun& run);

CtlRun RunCtl(const std::vector<std::string>& args, std::chrono::milliseconds timeout = kCtlTimeout,
              const CtlEnvironment& environment = {});

// A whole file as text; empty when it cannot be read.
std::string ReadText(const std::filesystem::path& path);

// A folder of its own for one test, removed afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace zelko::cli::testing
