#include "pointer/pointer_parameters.h"

#include <algorithm>

namespace zelko {
namespace {

std::optional<int> ReadNumber(PointerStore& store, PointerKey key, std::string_view name) {
  const auto text = store.ReadValue(key, name);
  if (!text) return std::nullopt;
  return ParseStoredNumber(*text);
}

bool InLevelRange(int level) { return level >= 1 && level <= kPointerLevelCount; }

PointerSettingResult* Find(PointerApplyReport& report, std::string_view name) {
  for (auto& s : report.settings) {
    if (s.name == name) return &s;
  }
  report.settings.push_back(PointerSettingResult{std::string(name), {}, false, std::nullopt});
  return &report.settings.back();
}

}  // namespace

PointerParameters ReadPointerParameters(PointerStore& store, const PointerParameters& current) {
  PointerParameters params = current;
  if (store.OpenKey(PointerKey::Mouse)) {
    params.speed_level = PointerSpeedLevel(ReadNumber(store, PointerKey::Mouse, kMouseSensitivityValue));
    params.precision.acceleration =
        ReadNumber(store, PointerKey::Mouse, kMouseSpeedValue).value_or(kAccelerationFallback);
    params.precision.threshold1 =
        ReadNumber(store, PointerKey::Mouse, kMouseThreshold1Value).value_or(kAccelerationFallback);
    params.precision.threshold2 =
        ReadNumber(store, PointerKey::Mouse, kMouseThreshold2Value).value_or(kAccelerationFallback);
    params.double_click_level =
        DoubleClickLevel(ReadNumber(store, PointerKey::Mouse, kDoubleClickSpeedValue));
  }
  if (store.OpenKey(PointerKey::Desktop)) {
    const int level = ScrollLevel(ReadNumber(store, PointerKey::Desktop, kWheelScrollLinesValue));
    params.scroll_level = level;
    params.remembered_scroll_level = level == kOneScreenScrollLevel ? 1 : level;
  }
  return params;
}

void SetSpeedLevel(PointerParameters& params, int level) {
  if (InLevelRange(level)) params.speed_level = level;
}

void SetDoubleClickLevel(PointerParameters& params, int level) {
  if (InLevelRange(level)) params.double_click_level = level;
}

void SetScrollLevel(PointerParameters& params, int level) {
  if (!InLevelRange(level)) return;
  params.scroll_level = level;
  params.remembered_scroll_level = level;
}

void SetPrecision(PointerParameters& params, bool on) {
  params.precision = on ? kPrecisionOn : kPrecisionOff;
}

void SetOneScreen(PointerParameters& params, bool on) {
  if (on) {
    params.scroll_level = kOneScreenScrollLevel;
  } else {
    params.scroll_level =
        InLevelRange(params.remembered_scroll_level) ? params.remembered_scroll_level : 1;
  }
}

bool PointerApplyReport::all_stored() const {
  return std::all_of(settings.begin(), settings.end(),
                     [](const PointerSettingResult& s) { return s.written.empty() || s.stored; });
}

std::vector<PointerValueOriginEntry> PointerValueOrigins(PointerStore& store) {
  std::vector<PointerValueOriginEntry> origins;
  for (const PointerKey key : {PointerKey::Mouse, PointerKey::Desktop}) {
    if (!store.OpenKey(key)) continue;
    for (const auto& planned : PointerStoredValues(PointerParameters{})) {
      if (planned.key == key) origins.push_back({planned.name, store.OriginOf(key, planned.name)});
    }
  }
  return origins;
}

std::vector<PointerStoredValue> PointerStoredValues(const PointerParameters& p) {
  return {
      {PointerKey::Mouse, kMouseSensitivityValue, PointerSpeedForLevel(p.speed_level)},
      {PointerKey::Mouse, kMouseSpeedValue, p.precision.acceleration},
      {PointerKey::Mouse, kMouseThreshold1Value, p.precision.threshold1},
      {PointerKey::Mouse, kMouseThreshold2Value, p.precision.threshold2},
      {PointerKey::Mouse, kDoubleClickSpeedValue, DoubleClickTimeForLevel(p.double_click_level)},
      {PointerKey::Desktop, kWheelScrollLinesValue, ScrollLinesForLevel(p.scroll_level)},
  };
}

PointerApplyReport WriteAndApplyPointerParameters(PointerStore& store,
                                                  const PointerParameters& params) {
  PointerApplyReport report;
  const auto speed = PointerSpeedForLevel(params.speed_level);
  const auto double_click = DoubleClickTimeForLevel(params.double_click_level);
  const auto scroll = ScrollLinesForLevel(params.scroll_level);

  // 1. Control Panel\Mouse, then 2. Control Panel\Desktop, each opened
  // before its values are written; a key that does not open is skipped.
  // The values are handed over together, so that a store keeping them in
  // one file replaces it once.
  report.mouse_key_opened = store.OpenKey(PointerKey::Mouse);
  report.desktop_key_opened = store.OpenKey(PointerKey::Desktop);
  std::vector<PointerValueText> writes;
  for (const auto& planned : PointerStoredValues(params)) {
    const bool opened = planned.key == PointerKey::Mouse ? report.mouse_key_opened
                                                         : report.desktop_key_opened;
    if (!opened) continue;
    PointerSettingResult result;
    result.name = std::string(planned.name);
    if (planned.value) {
      result.written = std::to_string(*planned.value);
      writes.push_back({planned.key, planned.name, result.written});
    }
    report.settings.push_back(result);
  }
  const std::vector<bool> taken = store.WriteValues(writes);
  for (std::size_t i = 0; i < writes.size() && i < taken.size(); ++i) {
    Find(report, writes[i].name)->stored = taken[i];
  }
  // 3..6. The running system, in this order.
  if (speed) Find(report, kMouseSensitivityValue)->applied = store.ApplyPointerSpeed(*speed);
  Find(report, kMouseSpeedValue)->applied =
      store.ApplyPrecision(params.precision.threshold1, params.precision.threshold2,
                           params.precision.acceleration);
  if (double_click) {
    Find(report, kDoubleClickSpeedValue)->applied = store.ApplyDoubleClickTime(*double_click);
  }
  if (scroll) Find(report, kWheelScrollLinesValue)->applied = store.ApplyWheelScrollLines(*scroll);
  return report;
}

}  // namespace zelko
