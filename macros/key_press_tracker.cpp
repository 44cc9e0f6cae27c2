#include "macros/key_press_tracker.h"

namespace zelko {

std::optional<TrackedKeyEvent> KeyPressTracker::Down(std::uint32_t keycode, int virtual_key) {
  if (const auto held = held_.find(keycode); held != held_.end()) {
    return TrackedKeyEvent{held->second, KeyState::kRepeatPress};
  }
  if (virtual_key == 0) return std::nullopt;
  held_.emplace(keycode, virtual_key);
  const KeyState state = downs_since_up_ == 0 ? KeyState::kFirstPress : KeyState::kRepeatPress;
  ++downs_since_up_;
  return TrackedKeyEvent{virtual_key, state};
}

std::optional<TrackedKeyEvent> KeyPressTracker::Up(std::uint32_t keycode) {
  const auto held = held_.find(keycode);
  if (held == held_.end()) return std::nullopt;
  const int virtual_key = held->second;
  held_.erase(held);
  downs_since_up_ = 0;
  return TrackedKeyEvent{virtual_key, KeyState::kRelease};
}

void KeyPressTracker::Clear() {
  held_.clear();
  downs_since_up_ = 0;
}

}  // namespace zelko
