#include "focus/focus_source_choice.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace zelko {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool SameWithoutCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

}  // namespace

DesktopSession DesktopSessionFromEnvironment() {
  return {Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"), Variable("XDG_SESSION_TYPE"),
          Variable("XDG_CURRENT_DESKTOP")};
}

bool NamesDesktop(const std::string& current_desktop, const std::string& desktop) {
  std::size_t start = 0;
  while (start <= current_desktop.size()) {
    const std::size_t end = std::min(current_desktop.find(':', start), current_desktop.size());
    if (SameWithoutCase(current_desktop.substr(start, end - start), desktop)) return true;
    start = end + 1;
  }
  return false;
}

FocusSourceChoice ChooseFocusSource(const DesktopSession& session) {
  const bool wayland = !session.wayland_display.empty() || SameWithoutCase(session.session_type, "wayland");
  if (wayland) {
    if (NamesDesktop(session.current_desktop, "GNOME")) return {FocusSourceKind::kGnomeShell, false};
    if (NamesDesktop(session.current_desktop, "KDE")) return {FocusSourceKind::kKWin, false};
    if (!session.display.empty()) return {FocusSourceKind::kX11, true};
    return {};
  }
  if (!session.display.empty()) return {FocusSourceKind::kX11, false};
  return {};
}

}  // namespace zelko
