// The one way a test runs another program: in a process (and process group)
// of its own, with the arguments as given (no shell), the test's
// environment with some variables set on top, standard input from
// /dev/null, standard output and standard error captured apart (or thrown
// away), and a deadline after which the program and what it started are
// killed. Several can run at once: Start them, then Wait for each.
#pragma once
#include <sys/types.h>

#include <chrono>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace zelko::testing_support {

using namespace std::chrono_literals;

// Variables set for the program on top of the test's own environment.
using ProcessEnvironment = std::vector<std::pair<std::string, std::string>>;

struct ProcessOptions {
  ProcessEnvironment environment;
  // False: its output goes to /dev/null (a server that writes for as long
  // as it runs, with nobody reading).
  bool capture_output = true;
  // True: argv[0] is looked up on PATH; otherwise it is a path.
  bool search_path = false;
};

struct ProcessRun {
  std::string command;  // the command line, for messages
  int exit_code = -1;   // -1 unless the program exited by itself
  std::string out;
  std::string err;
  bool timed_out = false;  // killed at the deadline
  std::string failure;     // why it could not be started, or the signal that ended it

  bool exited() const { return !timed_out && failure.empty(); }
};

// How the run ended and what it wrote to stderr, for test messages.
std::ostream& operator<<(std::ostream& os, const ProcessRun& run);

class RunningProcess {
 public:
  // Starts the program; started() says whether that worked.
  RunningProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});
  // A program still running is killed.
  ~RunningProcess();
  RunningProcess(const RunningProcess&) = delete;
  RunningProcess& operator=(const RunningProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // Whether it has ended (without waiting).
  bool Ended();
  // Reads its output until it ends, or kills it at the deadline.
  ProcessRun Wait(std::chrono::milliseconds timeout);
  // Ends it at once (SIGKILL to its group) and reaps it.
  void Kill();

 private:
  void Reap(int status);

  ProcessRun run_;
  pid_t pid_ = -1;
  bool ended_ = false;
  int status_ = 0;
  int out_ = -1;
  int err_ = -1;
};

// Start and Wait in one.
ProcessRun RunProcess(const std::vector<std::string>& argv, std::chrono::milliseconds timeout,
                      const ProcessOptions& options = {});

}  // namespace zelko::testing_support
