// Where the OS pointer settings live. On Windows that is the current user's
// registry (two keys, string values) and SystemParametersInfo; on Linux a
// per-user file plus whatever the running desktop accepts; in tests a fake.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelko {

// The two registry keys under the current user.
enum class PointerKey { Mouse, Desktop };

inline constexpr std::string_view kMouseKeyPath = "Control Panel\\Mouse";
inline constexpr std::string_view kDesktopKeyPath = "Control Panel\\Desktop";

constexpr std::string_view PointerKeyPath(PointerKey key) {
  return key == PointerKey::Mouse ? kMouseKeyPath : kDesktopKeyPath;
}

// The six values, named as in the registry.
inline constexpr std::string_view kMouseSensitivityValue = "MouseSensitivity";
inline constexpr std::string_view kMouseSpeedValue = "MouseSpeed";
inline constexpr std::string_view kMouseThreshold1Value = "MouseThreshold1";
inline constexpr std::string_view kMouseThreshold2Value = "MouseThreshold2";
inline constexpr std::string_view kDoubleClickSpeedValue = "DoubleClickSpeed";
inline constexpr std::string_view kWheelScrollLinesValue = "WheelScrollLines";

// What became of one setting handed to the running system.
enum class ApplyOutcome {
  Taken,    // the running system now uses it
  NoPlace,  // the running system has no such setting; it is only stored
  Failed,   // the system refused it or could not be reached
};

// Where a value ReadValue gives came from, for the user.
enum class ValueOrigin {
  kKept,     // the store holds it (the registry, or our settings file)
  kDesktop,  // the store holds nothing yet; the running desktop's setting
  kNone,     // nowhere: the reader takes its fallback
};

// One value to write, with its key and registry name.
struct PointerValueText {
  PointerKey key;
  std::string_view name;
  std::string text;
};

class PointerStore {
 public:
  virtual ~PointerStore() = default;

  // Whether the key can be opened. Keys are opened, never created; a key
  // that does not open is skipped when reading and when writing.
  virtual bool OpenKey(PointerKey key) = 0;
  // A string value of an open key; nothing when it is missing or unreadable.
  virtual std::optional<std::string> ReadValue(PointerKey key, std::string_view name) = 0;
  // Writes a string value of an open key; false when it did not take.
  virtual bool WriteValue(PointerKey key, std::string_view name, std::string_view text) = 0;
  // Writes the values together, one result per value. A store that keeps
  // them in one file replaces it once, so that they all take or none does;
  // this default writes them one by one.
  virtual std::vector<bool> WriteValues(const std::vector<PointerValueText>& values) {
    std::vector<bool> taken;
    for (const auto& v : values) taken.push_back(WriteValue(v.key, v.name, v.text));
    return taken;
  }
  // Where ReadValue's text for this value comes from.
  virtual ValueOrigin OriginOf(PointerKey key, std::string_view name) {
    return ReadValue(key, name) ? ValueOrigin::kKept : ValueOrigin::kNone;
  }

  // The four calls that apply the settings to the running system, in the
  // order the write-and-apply sequence makes them.
  virtual ApplyOutcome ApplyPointerSpeed(int speed) = 0;
  virtual ApplyOutcome ApplyPrecision(int threshold1, int threshold2, int acceleration) = 0;
  virtual ApplyOutcome ApplyDoubleClickTime(int time_ms) = 0;
  // -1 scrolls one screen at a time.
  virtual ApplyOutcome ApplyWheelScrollLines(int lines) = 0;
};

}  // namespace zelko
