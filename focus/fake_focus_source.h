// A focus source the test drives by hand, for the switcher's tests: Focus
// reports an application at once on the caller's thread, as a desktop's
// thread would.
#pragma once
#include <mutex>
#include <optional>
#include <string>

#include "focus/focus_source.h"

namespace zelko {

class FakeFocusSource final : public FocusSource {
 public:
  std::string Describe() const override { return "a fake focus source"; }
  using FocusSource::Start;
  Status Start(FocusCallback on_change, FocusEndCallback on_end) override;
  void Stop() override;

  // The application in front is now `app`: reported when started and
  // different from the last one reported, like the real sources.
  void Focus(const FocusedApp& app);
  // The source stops following by itself, as when the desktop went away.
  void End(const std::string& reason);
  // The next Start fails with this reason.
  void FailNextStart(std::string reason);
  bool running() const;

 private:
  mutable std::mutex mutex_;
  FocusCallback on_change_;
  FocusEndCallback on_end_;
  std::optional<FocusedApp> current_;  // what the desktop has in front
  std::optional<FocusedApp> reported_;
  std::string next_start_failure_;
};

}  // namespace zelko
