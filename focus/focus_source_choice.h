// Which focus source a desktop session calls for, decided from its
// environment alone (no server is asked): a Wayland session of GNOME or KDE
// Plasma is followed through the desktop's own shell, anything with an X
// display through X11.
#pragma once
#include <string>

namespace zelko {

// The variables that tell one desktop session from another.
struct DesktopSession {
  std::string display;          // DISPLAY
  std::string wayland_display;  // WAYLAND_DISPLAY
  std::string session_type;     // XDG_SESSION_TYPE ("x11", "wayland", "tty")
  std::string current_desktop;  // XDG_CURRENT_DESKTOP, colon-separated ("ubuntu:GNOME")
};

DesktopSession DesktopSessionFromEnvironment();

enum class FocusSourceKind {
  kNone,
  kX11,         // the X server on `display`
  kGnomeShell,  // our GNOME Shell extension, over the session bus
  kKWin,        // a KWin script, loaded over the session bus
};

struct FocusSourceChoice {
  FocusSourceKind kind = FocusSourceKind::kNone;
  // Only for X11 on a Wayland desktop other than GNOME and KDE Plasma:
  // XWayland shows only the X11 windows.
  bool x11_windows_only = false;
};

FocusSourceChoice ChooseFocusSource(const DesktopSession& session);

// Whether the colon-separated XDG_CURRENT_DESKTOP names `desktop`
// (compared without regard to case).
bool NamesDesktop(const std::string& current_desktop, const std::string& desktop);

}  // namespace zelko
