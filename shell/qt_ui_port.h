// The window's side of the core's flows: progress window, covering labels,
// messages, the poll timer and the redraw, each handed in as a small action
// so the adapter holds no window logic of its own.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "device/ui_port.h"

namespace zelko {

struct UiActions {
  std::function<void(int done, int total)> show_progress;
  std::function<void()> hide_progress;
  std::function<void()> process_messages;
  std::function<void(bool covered)> set_covered;
  // The program's message dialog with this text (already looked up).
  std::function<void(const std::string& textId, const std::string& secondTextId)> show_message;
  std::function<void(bool running)> set_poll_timer;
  std::function<void()> redraw;
};

class QtUiPort final : public UiPort {
 public:
  explicit QtUiPort(UiActions actions) : actions_(std::move(actions)) {}

  void ShowProgress(int done, int total) override { Run(actions_.show_progress, done, total); }
  void HideProgress() override { Run(actions_.hide_progress); }
  void ProcessMessages() override { Run(actions_.process_messages); }
  void ShowDisableAll() override { Run(actions_.set_covered, true); }
  void HideDisableAll() override { Run(actions_.set_covered, false); }
  void ShowMessage(std::string_view textId) override {
    Run(actions_.show_message, std::string(textId), std::string());
  }
  void ShowMessagePair(std::string_view first, std::string_view second) override {
    Run(actions_.show_message, std::string(first), std::string(second));
  }
  void StartPollTimer() override { Run(actions_.set_poll_timer, true); }
  void StopPollTimer() override { Run(actions_.set_poll_timer, false); }
  void RedrawFromRecord() override { Run(actions_.redraw); }

 private:
  template <typename F, typename... Args>
  static void Run(const F& f, Args&&... args) {
    if (f) f(std::forward<Args>(args)...);
  }
  UiActions actions_;
};

}  // namespace zelko
