// The OS pointer settings on Windows: the current user's registry keys
// "Control Panel\Mouse" and "Control Panel\Desktop" (opened, never created;
// every value a string) and SystemParametersInfo. Built on Windows only.
#pragma once
#include "pointer/pointer_store.h"

namespace zelko {

class WindowsPointerStore final : public PointerStore {
 public:
  bool OpenKey(PointerKey key) override;
  std::optional<std::string> ReadValue(PointerKey key, std::string_view name) override;
  bool WriteValue(PointerKey key, std::string_view name, std::string_view text) override;
  ApplyOutcome ApplyPointerSpeed(int speed) override;
  ApplyOutcome ApplyPrecision(int threshold1, int threshold2, int acceleration) override;
  ApplyOutcome ApplyDoubleClickTime(int time_ms) override;
  ApplyOutcome ApplyWheelScrollLines(int lines) override;
};

}  // namespace zelko
