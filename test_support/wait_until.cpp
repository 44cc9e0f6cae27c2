#include "test_support/wait_until.h"

#include <thread>

namespace zelko::testing_support {

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
  const auto until = std::chrono::steady_clock::now() + deadline;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace zelko::testing_support
