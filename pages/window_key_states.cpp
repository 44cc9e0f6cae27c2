#include "pages/window_key_states.h"

namespace zelko {

KeyState WindowKeyStates::Down(bool auto_repeat) {
  if (auto_repeat) return KeyState::kRepeatPress;
  ++downs_;
  return downs_ == 1 ? KeyState::kFirstPress : KeyState::kRepeatPress;
}

std::optional<KeyState> WindowKeyStates::Up(bool auto_repeat) {
  if (auto_repeat) return std::nullopt;
  downs_ = 0;
  return KeyState::kRelease;
}

}  // namespace zelko
