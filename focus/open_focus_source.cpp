#include "focus/open_focus_source.h"

#include "focus/focus_names.h"

#ifdef _WIN32
#include "focus/windows_focus_source.h"
#else
#include <unistd.h>

#include "focus/focus_source_choice.h"
#ifdef ZELKO_FOCUS_X11
#include "focus/x11_focus_source.h"
#endif
#ifdef ZELKO_FOCUS_DBUS
#include "focus/gnome_shell_focus_source.h"
#include "focus/kwin_focus_source.h"
#endif
#endif

namespace zelko {
namespace {

#ifndef _WIN32
std::filesystem::path OwnProgram() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec);
}

std::unique_ptr<FocusSource> OpenX11(const DesktopSession& session, bool x11_windows_only, std::string& line) {
#ifdef ZELKO_FOCUS_X11
  if (!X11FocusSource::ServerAnswers(session.display)) {
    line = "No focus source: the X display \"" + session.display + "\" does not answer.";
    return nullptr;
  }
  auto source = std::make_unique<X11FocusSource>(session.display);
  line = "Focus source: " + source->Describe() + ".";
  if (x11_windows_only) {
    line = "Focus source: " + source->Describe() +
           "; on this Wayland desktop only X11 (XWayland) windows are seen.";
  }
  return source;
#else
  (void)session;
  (void)x11_windows_only;
  line = "No focus source: this build has no X11 support.";
  return nullptr;
#endif
}

std::unique_ptr<FocusSource> OpenGnomeShell(std::string& line) {
#ifdef ZELKO_FOCUS_DBUS
  if (Status runs = GnomeShellFocusSource::ExtensionRuns(); !runs) {
    line = "No focus source: " + runs.error();
    return nullptr;
  }
  auto source = std::make_unique<GnomeShellFocusSource>();
  line = "Focus source: " + source->Describe() + ".";
  return source;
#else
  line = "No focus source: GNOME on Wayland needs D-Bus, which this build has not (libsystemd).";
  return nullptr;
#endif
}

std::unique_ptr<FocusSource> OpenKWin(std::string& line) {
#ifdef ZELKO_FOCUS_DBUS
  const std::filesystem::path script = FindKWinFocusScript();
  if (script.empty()) {
    line = "No focus source: the KWin focus script (share/zelko77/" + std::string(focus_names::kKWinScriptFile) +
           ") is not installed.";
    return nullptr;
  }
  if (Status answers = KWinFocusSource::KWinAnswers(); !answers) {
    line = "No focus source: " + answers.error();
    return nullptr;
  }
  auto source = std::make_unique<KWinFocusSource>(script);
  line = "Focus source: " + source->Describe() + ".";
  return source;
#else
  line = "No focus source: KDE Plasma on Wayland needs D-Bus, which this build has not (libsystemd).";
  return nullptr;
#endif
}
#endif

}  // namespace

std::filesystem::path FindKWinFocusScript() {
#ifdef _WIN32
  return {};
#else
  std::error_code ec;
  const std::filesystem::path program = OwnProgram();
  if (!program.empty()) {
    const auto installed = program.parent_path().parent_path() / "share/zelko77" / focus_names::kKWinScriptFile;
    if (std::filesystem::is_regular_file(installed, ec)) return installed;
  }
#ifdef ZELKO_FOCUS_SOURCE_PACKAGING_DIR
  const auto in_source = std::filesystem::path(ZELKO_FOCUS_SOURCE_PACKAGING_DIR) / "kwin/zelko77-focus.js";
  if (std::filesystem::is_regular_file(in_source, ec)) return in_source;
#endif
  return {};
#endif
}

std::unique_ptr<FocusSource> OpenFocusSource(std::string& line) {
#ifdef _WIN32
  auto source = std::make_unique<WindowsFocusSource>();
  line = "Focus source: " + source->Describe() + ".";
  return source;
#else
  const DesktopSession session = DesktopSessionFromEnvironment();
  const FocusSourceChoice choice = ChooseFocusSource(session);
  switch (choice.kind) {
    case FocusSourceKind::kX11:
      return OpenX11(session, choice.x11_windows_only, line);
    case FocusSourceKind::kGnomeShell:
      return OpenGnomeShell(line);
    case FocusSourceKind::kKWin:
      return OpenKWin(line);
    case FocusSourceKind::kNone:
      break;
  }
  line = session.wayland_display.empty()
             ? "No focus source: DISPLAY is not set and this is no Wayland session of GNOME or KDE Plasma."
             : "No focus source: this Wayland desktop (" +
                   (session.current_desktop.empty() ? std::string("unnamed") : session.current_desktop) +
                   ") is neither GNOME nor KDE Plasma, and it has no X display.";
  return nullptr;
#endif
}

}  // namespace zelko
