// The application in front on an X11 display, over an XCB connection of the
// source's own read on a thread of its own:
// - with a window manager (EWMH), the root window's _NET_ACTIVE_WINDOW,
//   followed by PropertyNotify;
// - without one (the root has no _NET_ACTIVE_WINDOW), the input focus,
//   walked up to its top-level window.
// The window's WM_CLASS class names the application, _NET_WM_PID its pid.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "focus/focus_source.h"

namespace zelko {

// The class (second string) of a WM_CLASS property's value
// "instance\0class\0"; empty when it has none.
std::string ClassOfWmClass(std::string_view property);

class X11FocusSource final : public FocusSource {
 public:
  // display_name as DISPLAY holds it; empty for $DISPLAY.
  explicit X11FocusSource(std::string display_name = {});
  ~X11FocusSource() override;
  X11FocusSource(const X11FocusSource&) = delete;
  X11FocusSource& operator=(const X11FocusSource&) = delete;

  std::string Describe() const override;
  // Fails when the display does not open.
  using FocusSource::Start;
  Status Start(FocusCallback on_change, FocusEndCallback on_end) override;
  void Stop() override;

  // Whether an X server answers on this display.
  static bool ServerAnswers(const std::string& display_name = {});

 private:
  struct Session;
  std::string display_name_;
  std::unique_ptr<Session> session_;
  std::thread reader_;
};

}  // namespace zelko
