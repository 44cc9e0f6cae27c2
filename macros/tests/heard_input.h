// A sink for the capture tests: what it heard, in order, from whichever
// thread the capture hands events on, as readable lines ("key 65 first",
// "RightKey down").
#pragma once
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "macros/input_capture.h"

namespace zelko::testing_support {

class Heard {
 public:
  InputSink Sink() {
    return {[this](int vk, KeyState state) { Add("key " + std::to_string(vk) + " " + StateName(state)); },
            [this](MacroMouseButton button, bool pressed) {
              Add(std::string(MouseButtonInfo(button).name) + (pressed ? " down" : " up"));
            }};
  }
  std::vector<std::string> events() const {
    std::lock_guard lock(mutex_);
    return events_;
  }
  std::size_t size() const { return events().size(); }
  // Waits until count events are heard or the deadline passes.
  bool WaitFor(std::size_t count, std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (size() < count) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

 private:
  static std::string StateName(KeyState state) {
    switch (state) {
      case KeyState::kFirstPress: return "first";
      case KeyState::kRepeatPress: return "repeat";
      case KeyState::kRelease: return "release";
    }
    return "?";
  }
  void Add(std::string event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
  }
  mutable std::mutex mutex_;
  std::vector<std::string> events_;
};

}  // namespace zelko::testing_support
