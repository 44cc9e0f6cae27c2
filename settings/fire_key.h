// The fire key: a script in the FireKey section that presses and releases
// the left button a number of times; the user sets how often and the pause
// after each release, and whether Fn+left or the left key fires.
//
// Wire side: FireKey.FireRepeatCount (count minus one), FireKey.FireInterval
// (units of 8 ms), ParameterA.FeatureFlags bit 1. The rest of the script is
// fixed and never changed.
#pragma once
#include <cstdint>

#include "image/parameter_record.h"

namespace zelko {

// One unit of the interval in milliseconds.
inline constexpr int kFireIntervalUnitMs = 8;

struct FireKeySettings {
  int repeat_count = 3;  // 2..127 presses
  int interval = 0;      // 0..255, units of 8 ms
  bool on_fn_left = false;
  friend bool operator==(const FireKeySettings&, const FireKeySettings&) = default;
};

FireKeySettings DecodeFireKey(const ParameterRecord& record);
void EncodeFireKey(const FireKeySettings& fire, ParameterRecord& record);

}  // namespace zelko
