// GNOME on Wayland: our GNOME Shell extension (packaging/gnome-extension/)
// calls FocusChanged on the switcher's bus name whenever the focused window
// changes, and once more whenever the name appears, so that a switcher that
// starts late hears the window in front. Start first asks GNOME Shell
// whether the extension runs and says how to enable it when it does not.
#pragma once
#include <optional>
#include <string>

#include "focus/bus_focus_listener.h"
#include "focus/focus_source.h"

namespace zelko {

// What stands between the user and the extension, in one line, from the
// state GNOME Shell gives for it (nothing: Shell does not know it); empty
// when it runs.
std::string GnomeExtensionProblem(std::optional<int> state);

class GnomeShellFocusSource final : public FocusSource {
 public:
  // bus_address as OpenSessionBus takes it; empty for the user's session bus.
  explicit GnomeShellFocusSource(std::string bus_address = {});
  ~GnomeShellFocusSource() override;

  std::string Describe() const override;
  using FocusSource::Start;
  Status Start(FocusCallback on_change, FocusEndCallback on_end) override;
  void Stop() override;

  // Whether GNOME Shell answers and runs the extension; the line to show
  // when not.
  static Status ExtensionRuns(const std::string& bus_address = {});

 private:
  std::string bus_address_;
  BusFocusListener listener_;
};

}  // namespace zelko
