#include "macros/input_capture.h"

#include <cstdlib>
#include <string_view>

#if defined(ZELKO_X11_INPUT_CAPTURE)
#include "macros/x11_input_capture.h"
#endif
#if defined(ZELKO_WINDOWS_INPUT_CAPTURE)
#include "macros/windows_input_capture.h"
#endif

namespace zelko {

#if defined(ZELKO_X11_INPUT_CAPTURE)
namespace {

bool InWaylandSession() {
  const char* wayland_display = std::getenv("WAYLAND_DISPLAY");
  const char* session_type = std::getenv("XDG_SESSION_TYPE");
  return (wayland_display != nullptr && *wayland_display != '\0') ||
         (session_type != nullptr && std::string_view(session_type) == "wayland");
}

}  // namespace
#endif

// The one place that chooses the desktop capture of the build's platform.
// Under Wayland an X server is at most XWayland, which hands raw events on
// only while one of its own windows has the focus: the window then records
// what reaches it, and says so.
std::unique_ptr<InputCapture> OpenDesktopInputCapture() {
#if defined(ZELKO_WINDOWS_INPUT_CAPTURE)
  return std::make_unique<WindowsInputCapture>();
#endif
#if defined(ZELKO_X11_INPUT_CAPTURE)
  if (!InWaylandSession() && X11InputCapture::Available()) return std::make_unique<X11InputCapture>();
#endif
  return nullptr;
}

}  // namespace zelko
