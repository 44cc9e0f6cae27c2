// The names the switcher, the GNOME Shell extension and the KWin script
// agree on. The extension (packaging/gnome-extension/) and the script
// (packaging/kwin/) spell the same strings; a test checks that they do.
#pragma once
#include <string_view>

namespace zelko::focus_names {

// The switcher owns this name on the session bus and answers, on the
// object below, FocusChanged(s app_id, pid) with the pid as any integer
// type or a double (a KWin script's numbers arrive as doubles).
inline constexpr std::string_view kBusName = "org.zelko77.Focus";
inline constexpr std::string_view kObjectPath = "/org/zelko77/Focus";
inline constexpr std::string_view kInterface = "org.zelko77.Focus1";
inline constexpr std::string_view kFocusChanged = "FocusChanged";

// The GNOME Shell extension, as `gnome-extensions enable` names it.
inline constexpr std::string_view kGnomeExtensionUuid = "zelko77-focus@zelko77.org";
// The plugin name the KWin script is loaded under.
inline constexpr std::string_view kKWinScriptName = "zelko77-focus";
// The KWin script's file in the data folder (share/zelko77/ beside bin/).
inline constexpr std::string_view kKWinScriptFile = "kwin/zelko77-focus.js";

}  // namespace zelko::focus_names
