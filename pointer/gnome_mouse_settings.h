// GNOME's mouse settings (schema org.gnome.desktop.peripherals.mouse),
// reached through the gsettings program with a bounded wait, so no GLib
// link is needed. Every change is read back; only a value that reads back
// equal counts as taken.
#pragma once
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "base/command_runner.h"

namespace zelko {

inline constexpr std::string_view kGnomeMouseSchema = "org.gnome.desktop.peripherals.mouse";
inline constexpr std::string_view kGnomeSpeedKey = "speed";                 // double -1..1
inline constexpr std::string_view kGnomeAccelProfileKey = "accel-profile";  // 'flat', 'adaptive', 'default'
inline constexpr std::string_view kGnomeDoubleClickKey = "double-click";    // int, ms
inline constexpr std::uint32_t kGsettingsTimeoutMs = 3000;

// Pointer speed 1..20 (10 is the middle) <-> GNOME speed -1..1.
double GnomeSpeedFromPointerSpeed(int speed);
int PointerSpeedFromGnomeSpeed(double gnome_speed);

class GnomeMouseSettings {
 public:
  explicit GnomeMouseSettings(CommandRunner& runner) : runner_(runner) {}

  // The schema is installed and lists the key. The first call asks
  // gsettings; the answer is kept.
  bool HasKey(std::string_view key);

  // The key's value as gsettings prints it ("0.5", "'flat'", "400").
  std::optional<std::string> Get(std::string_view key);
  // Sets the key and reads it back; true when it now holds `value`.
  bool Set(std::string_view key, const std::string& value);

 private:
  void Probe();

  CommandRunner& runner_;
  bool probed_ = false;
  std::set<std::string, std::less<>> keys_;
};

}  // namespace zelko
