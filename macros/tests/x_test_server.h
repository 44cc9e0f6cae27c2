// A private X server for tests: Xvfb on a display number it picks itself
// (-displayfd), and a way to run X clients such as xdotool against it.
// Every wait has a deadline. Programs run through the tests' one process
// runner (test_support/process_runner.h).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "test_support/process_runner.h"
#include "test_support/wait_until.h"

namespace zelko::testing_support {

class XTestServer {
 public:
  // The server once it accepts clients, or why it did not start.
  static Result<std::unique_ptr<XTestServer>> Start();
  ~XTestServer();
  XTestServer(const XTestServer&) = delete;
  XTestServer& operator=(const XTestServer&) = delete;

  const std::string& display() const { return display_; }
  // Runs argv (looked up on PATH) with DISPLAY set to this server and waits
  // for it; its exit status, or why it did not run or end in time.
  Result<int> Run(const std::vector<std::string>& argv) const;
  // The server goes away at once, as when the session ends under a client.
  // Its display number stays taken until this object goes: no other X
  // server (another test's, another user's) answers there meanwhile.
  void Kill();

 private:
  XTestServer(std::unique_ptr<RunningProcess> server, int number);
  std::unique_ptr<RunningProcess> server_;
  int number_;
  std::string display_;
  bool number_held_ = false;
};

}  // namespace zelko::testing_support
