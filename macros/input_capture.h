// Where the recorder hears keys and mouse buttons. A capture hands every key
// (as a Windows virtual-key code with its KeyState) and every mouse button
// (press or release) to its sink, possibly from a thread of its own; the
// recorder's TakeKey and TakeMouseButton are safe from any thread. Pointer
// movement is never captured: moves are inserted by hand.
#pragma once
#include <functional>
#include <memory>

#include "base/result.h"
#include "macros/macro_event.h"
#include "macros/macro_recorder.h"

namespace zelko {

struct InputSink {
  std::function<void(int virtual_key, KeyState state)> key;
  std::function<void(MacroMouseButton button, bool pressed)> button;
};

class InputCapture {
 public:
  virtual ~InputCapture() = default;
  // Begins handing events to sink until Stop. A second Start replaces the sink.
  [[nodiscard]] virtual Status Start(InputSink sink) = 0;
  // No event reaches the sink once Stop has returned.
  virtual void Stop() = 0;
  // True when keys and buttons pressed anywhere on the desktop are heard;
  // false when only those that reach the program's window are.
  virtual bool HearsWholeDesktop() const = 0;
};

// The capture of the whole desktop where the platform offers one (X11 with
// XInput2; Raw Input and a low-level mouse hook on Windows); nullptr where it
// does not (Wayland, no display), so the window records what reaches it.
std::unique_ptr<InputCapture> OpenDesktopInputCapture();

}  // namespace zelko
