// The KeyState of each key event of a source that reports only "down" and
// "up" per physical key (X's raw events carry no repeat flag). It counts as
// Windows does: the key-downs since the last key-up, so the first key-down
// after a key-up is a first press and any later one, while that key or
// another is held, a repeat press. A key-down of a key already held (the
// server's auto-repeat) is always a repeat press. A key keeps the virtual
// key it went down with until it goes up, so that Num Lock or a new
// keyboard mapping between the two cannot split one key into two.
// A key-up of a key not seen going down (held when the capture started) is
// dropped, so that a recording does not begin with a lone release.
#pragma once
#include <cstdint>
#include <map>
#include <optional>

#include "macros/macro_recorder.h"

namespace zelko {

struct TrackedKeyEvent {
  int virtual_key = 0;
  KeyState state = KeyState::kFirstPress;
  friend bool operator==(const TrackedKeyEvent&, const TrackedKeyEvent&) = default;
};

class KeyPressTracker {
 public:
  // keycode identifies the physical key; virtual_key 0 is a key the key
  // tables do not know, which is neither tracked nor reported.
  std::optional<TrackedKeyEvent> Down(std::uint32_t keycode, int virtual_key);
  std::optional<TrackedKeyEvent> Up(std::uint32_t keycode);
  // Forgets every held key (a new capture starts).
  void Clear();

 private:
  std::map<std::uint32_t, int> held_;  // keycode -> its virtual key
  int downs_since_up_ = 0;
};

}  // namespace zelko
