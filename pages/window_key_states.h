// The keys that reach the window, as the recorder takes them: the toolkit
// reports a key going down (possibly an automatic repeat) and going up; the
// recorder wants a first press, another press while a key is held, or a
// release, as the desktop capture reports them.
#pragma once
#include <optional>

#include "macros/macro_recorder.h"

namespace zelko {

class WindowKeyStates {
 public:
  // A key went down. An automatic repeat, or a key pressed while another is
  // held, is a repeated press (the recorder ignores it for the key it took
  // last and takes it as a press for any other key).
  KeyState Down(bool auto_repeat);
  // A key went up; nothing for the releases of an automatic repeat, which
  // some platforms send between repeated presses.
  std::optional<KeyState> Up(bool auto_repeat);
  // A recording starts: no key counts as held.
  void Reset() { downs_ = 0; }

 private:
  int downs_ = 0;
};

}  // namespace zelko
