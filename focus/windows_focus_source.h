// Windows: the foreground window, followed with
// SetWinEventHook(EVENT_SYSTEM_FOREGROUND) on a thread of the source's own
// with its message loop (and a look at the foreground window four times a
// second where the events do not come); the application is the file name
// of the window's process's executable (QueryFullProcessImageNameW),
// "game.exe".
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "focus/focus_source.h"

namespace zelko {

// The file name of a full executable path, in UTF-8 ("C:\Games\Hl2.exe"
// gives "Hl2.exe").
std::string ExecutableFileName(std::wstring_view path);

class WindowsFocusSource final : public FocusSource {
 public:
  WindowsFocusSource() = default;
  ~WindowsFocusSource() override;
  WindowsFocusSource(const WindowsFocusSource&) = delete;
  WindowsFocusSource& operator=(const WindowsFocusSource&) = delete;

  std::string Describe() const override { return "Windows (the foreground window)"; }
  using FocusSource::Start;
  Status Start(FocusCallback on_change, FocusEndCallback on_end) override;
  void Stop() override;

 private:
  std::thread thread_;
  std::uint32_t thread_id_ = 0;
};

}  // namespace zelko
