// KDE Plasma on Wayland: a KWin script (packaging/kwin/zelko77-focus.js),
// loaded over the session bus (org.kde.KWin /Scripting loadScript, then
// run), calls FocusChanged on the switcher's bus name with the active
// window's resource class at start and at every change. Stop unloads it.
#pragma once
#include <filesystem>
#include <string>

#include "focus/bus_focus_listener.h"
#include "focus/focus_source.h"

namespace zelko {

class KWinFocusSource final : public FocusSource {
 public:
  // bus_address as OpenSessionBus takes it; empty for the user's session bus.
  explicit KWinFocusSource(std::filesystem::path script, std::string bus_address = {});
  ~KWinFocusSource() override;

  std::string Describe() const override;
  using FocusSource::Start;
  Status Start(FocusCallback on_change, FocusEndCallback on_end) override;
  void Stop() override;

  // Whether KWin is on the session bus; the line to show when not.
  static Status KWinAnswers(const std::string& bus_address = {});

 private:
  Status LoadScript();
  void UnloadScript();

  std::filesystem::path script_;
  std::string bus_address_;
  BusFocusListener listener_;
  bool loaded_ = false;
};

}  // namespace zelko
