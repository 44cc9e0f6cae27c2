// The OS pointer settings on Windows: the current user's registry keys
// "Control Panel\Mouse" and "Control Panel\Desktop" (opened, never created;
// every value a string) and SystemParametersInfo. Built on Windows only.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "pointer/pointer_store.h"

namespace zelko {

// The SystemParametersInfo actions and flags the store uses.
inline constexpr unsigned kSpiSetMouse = 0x0004;
inline constexpr unsigned kSpiSetDoubleClickTime = 0x0020;
inline constexpr unsigned kSpiSetWheelScrollLines = 0x0069;
inline constexpr unsigned kSpiSetMouseSpeed = 0x0071;
inline constexpr unsigned kSpifUpdateIniFile = 0x01;
inline constexpr unsigned kSpifSendChange = 0x02;
// SPI_SETWHEELSCROLLLINES' value for one screen at a time.
inline constexpr unsigned kWheelPageScroll = 0xFFFFFFFFu;

// One SystemParametersInfo call: the action, its integer parameter, what
// its pointer parameter carries (a value passed as the pointer itself, as
// SPI_SETMOUSESPEED takes it, or the integers it points to, as SPI_SETMOUSE
// takes them), and the flags.
struct SystemParametersCall {
  unsigned action = 0;
  unsigned ui_param = 0;
  std::uintptr_t pointer_value = 0;
  std::vector<int> pointed_to;  // empty: the pointer is pointer_value
  unsigned flags = 0;
  friend bool operator==(const SystemParametersCall&, const SystemParametersCall&) = default;
};
// Makes the call; true when the system took it.
using SystemParametersSetter = std::function<bool(const SystemParametersCall&)>;

class WindowsPointerStore final : public PointerStore {
 public:
  // The running system's SystemParametersInfo.
  WindowsPointerStore();
  // Tests hand in a setter that records the calls instead.
  explicit WindowsPointerStore(SystemParametersSetter setter);

  bool OpenKey(PointerKey key) override;
  std::optional<std::string> ReadValue(PointerKey key, std::string_view name) override;
  bool WriteValue(PointerKey key, std::string_view name, std::string_view text) override;
  ApplyOutcome ApplyPointerSpeed(int speed) override;
  ApplyOutcome ApplyPrecision(int threshold1, int threshold2, int acceleration) override;
  ApplyOutcome ApplyDoubleClickTime(int time_ms) override;
  ApplyOutcome ApplyWheelScrollLines(int lines) override;

 private:
  ApplyOutcome Set(SystemParametersCall call);

  SystemParametersSetter setter_;
};

}  // namespace zelko
