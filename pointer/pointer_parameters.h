// The Advanced page's OS pointer settings as plain state, with the reading,
// the option toggles and the write-and-apply sequence over a PointerStore.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "pointer/pointer_levels.h"
#include "pointer/pointer_store.h"

namespace zelko {

struct PointerParameters {
  int speed_level = 6;                 // 1..11
  PointerPrecision precision = kPrecisionOn;
  int double_click_level = 7;          // 1..11
  int scroll_level = 3;                // 1..11, or kOneScreenScrollLevel
  int remembered_scroll_level = 3;     // restored when one-screen mode goes off

  bool precision_on() const { return IsPrecisionOn(precision); }
  bool one_screen() const { return scroll_level == kOneScreenScrollLevel; }
  friend bool operator==(const PointerParameters&, const PointerParameters&) = default;
};

// Reads both keys with the fallbacks for unreadable values. A key that does
// not open leaves the settings it holds as they are in `current`.
PointerParameters ReadPointerParameters(PointerStore& store, const PointerParameters& current);

// A notch click on one of the three bars; the scroll bar also remembers it.
void SetSpeedLevel(PointerParameters& params, int level);
void SetDoubleClickLevel(PointerParameters& params, int level);
void SetScrollLevel(PointerParameters& params, int level);
// The precision option: on gives 1, 6, 10; off gives 0, 0, 0.
void SetPrecision(PointerParameters& params, bool on);
// The one-screen option: on sets the scroll level to -1; off restores the
// remembered level.
void SetOneScreen(PointerParameters& params, bool on);

// What one write-and-apply did, setting by setting, for the user.
struct PointerSettingResult {
  std::string name;          // the registry value name
  std::string written;       // the text stored, empty when nothing was stored
  bool stored = false;       // the store took the value
  std::optional<ApplyOutcome> applied;  // what the running system did, if asked
};

struct PointerApplyReport {
  bool mouse_key_opened = false;
  bool desktop_key_opened = false;
  std::vector<PointerSettingResult> settings;
  // Every value that was meant to be stored was stored.
  bool all_stored() const;
};

// One of the six stored values as a write leaves it, in write order.
struct PointerStoredValue {
  PointerKey key;
  std::string_view name;     // the registry value name
  std::optional<int> value;  // nothing: a level out of range is not written
};
std::vector<PointerStoredValue> PointerStoredValues(const PointerParameters& params);

// Where each of the six values a read takes comes from, in write order;
// the values of a key that does not open are left out.
struct PointerValueOriginEntry {
  std::string_view name;  // the registry value name
  ValueOrigin origin;
};
std::vector<PointerValueOriginEntry> PointerValueOrigins(PointerStore& store);

// Writes the six values together (only where the key opens and the level is in
// range), then makes the four apply calls in order: pointer speed,
// precision, double-click time, scroll lines.
PointerApplyReport WriteAndApplyPointerParameters(PointerStore& store,
                                                  const PointerParameters& params);

}  // namespace zelko
