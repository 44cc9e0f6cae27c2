#include "focus/focus_source_choice.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "focus/open_focus_source.h"

namespace zelko {
namespace {

struct ChoiceCase {
  std::string name;
  DesktopSession session;
  FocusSourceKind kind;
  bool x11_windows_only;
};

class FocusSourceChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(FocusSourceChoiceTest, PicksTheSourceOfTheDesktop) {
  const ChoiceCase& c = GetParam();
  const FocusSourceChoice choice = ChooseFocusSource(c.session);
  EXPECT_EQ(choice.kind, c.kind);
  EXPECT_EQ(choice.x11_windows_only, c.x11_windows_only);
}

// DISPLAY, WAYLAND_DISPLAY, XDG_SESSION_TYPE, XDG_CURRENT_DESKTOP.
const std::vector<ChoiceCase> kChoices = {
    {"X11Session", {":0", "", "x11", "GNOME"}, FocusSourceKind::kX11, false},
    {"X11WithoutSessionVariables", {":1", "", "", ""}, FocusSourceKind::kX11, false},
    {"GnomeOnWayland", {":0", "wayland-0", "wayland", "GNOME"}, FocusSourceKind::kGnomeShell, false},
    {"UbuntuGnomeOnWayland", {":0", "wayland-0", "wayland", "ubuntu:GNOME"}, FocusSourceKind::kGnomeShell, false},
    {"GnomeWaylandWithoutXWayland", {"", "wayland-0", "", "GNOME"}, FocusSourceKind::kGnomeShell, false},
    {"PlasmaOnWayland", {":1", "wayland-0", "wayland", "KDE"}, FocusSourceKind::kKWin, false},
    {"PlasmaNamedInLowerCase", {":1", "wayland-1", "wayland", "kde"}, FocusSourceKind::kKWin, false},
    {"WaylandSessionTypeOnly", {":0", "", "wayland", "KDE"}, FocusSourceKind::kKWin, false},
    {"OtherWaylandDesktopWithXWayland", {":0", "wayland-1", "wayland", "sway"}, FocusSourceKind::kX11, true},
    {"OtherWaylandDesktopWithoutX", {"", "wayland-1", "wayland", "sway"}, FocusSourceKind::kNone, false},
    {"TextConsole", {"", "", "tty", ""}, FocusSourceKind::kNone, false},
    {"GnomeNamePartOfAnother", {"", "wayland-0", "wayland", "GNOMEISH"}, FocusSourceKind::kNone, false},
};

INSTANTIATE_TEST_SUITE_P(Sessions, FocusSourceChoiceTest, ::testing::ValuesIn(kChoices),
                         [](const ::testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

TEST(NamesDesktop, MatchesWholeEntriesOfTheColonList) {
  EXPECT_TRUE(NamesDesktop("ubuntu:GNOME", "GNOME"));
  EXPECT_TRUE(NamesDesktop("GNOME-Classic:GNOME", "gnome"));
  EXPECT_FALSE(NamesDesktop("GNOME-Classic", "GNOME"));
  EXPECT_FALSE(NamesDesktop("", "GNOME"));
  EXPECT_FALSE(NamesDesktop("KDE:", "GNOME"));
}

#ifdef _WIN32
TEST(OpenFocusSource, FollowsTheForegroundWindowOnWindows) {
  std::string line;
  EXPECT_NE(OpenFocusSource(line), nullptr);
  EXPECT_EQ(line, "Focus source: Windows (the foreground window).");
}
#else
TEST(OpenFocusSource, SaysWhyThereIsNoneWithoutADesktop) {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP"}) unsetenv(name);
  std::string line;
  EXPECT_EQ(OpenFocusSource(line), nullptr);
  EXPECT_EQ(line, "No focus source: DISPLAY is not set and this is no Wayland session of GNOME or KDE Plasma.");

  setenv("WAYLAND_DISPLAY", "wayland-1", 1);
  setenv("XDG_CURRENT_DESKTOP", "sway", 1);
  EXPECT_EQ(OpenFocusSource(line), nullptr);
  EXPECT_EQ(line,
            "No focus source: this Wayland desktop (sway) is neither GNOME nor KDE Plasma, and it has no X display.");
}
#endif

}  // namespace
}  // namespace zelko
