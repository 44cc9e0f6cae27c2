// What tells the switcher which application is in front: one small
// interface, one source per desktop behind it (X11, the GNOME Shell
// extension, a KWin script, Windows, and a fake for tests). The choice of
// source happens in one place, focus/open_focus_source.h.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/result.h"

namespace zelko {

// The application in front, named the way the desktop names it: the X11
// WM_CLASS class, the Wayland app id, the Windows executable's file name.
struct FocusedApp {
  std::string app_id;  // empty: no application is in front (the desktop, a window without a name)
  std::optional<std::uint32_t> pid;  // where the desktop tells it
  bool operator==(const FocusedApp&) const = default;
};

// Called on the source's own thread, one call at a time: first with the
// application in front when Start has it, then at every change (the same
// application twice in a row is reported once). It must not call Stop.
using FocusCallback = std::function<void(const FocusedApp&)>;

// Called at most once, on the source's thread, when the source stops
// following by itself (the X server or the session bus went away), with
// the reason in words a user can read; never after Stop.
using FocusEndCallback = std::function<void(const std::string& reason)>;

class FocusSource {
 public:
  virtual ~FocusSource() = default;
  // What the source follows, for the switcher's log ("X11 display :0").
  virtual std::string Describe() const = 0;
  // Starts following the focus on a thread of the source's own; fails (in
  // words a user can read) when the desktop cannot be followed. A source
  // already started is stopped first. `on_end` may be empty.
  virtual Status Start(FocusCallback on_change, FocusEndCallback on_end) = 0;
  Status Start(FocusCallback on_change) { return Start(std::move(on_change), nullptr); }
  // Stops following from any thread but the callback's; once it returns the
  // callback is not called again. Does nothing when not started.
  virtual void Stop() = 0;
};

}  // namespace zelko
