// A private X server for tests: Xvfb on a display number it picks itself
// (-displayfd), and a way to run X clients such as xdotool against it.
// Every wait has a deadline.
#pragma once
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"

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
  void Kill();

 private:
  XTestServer(pid_t pid, std::string display) : pid_(pid), display_(std::move(display)) {}
  pid_t pid_;
  std::string display_;
};

// Polls done with short sleeps until it holds or the deadline has passed.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline = std::chrono::seconds(10));

}  // namespace zelko::testing_support
