#include "pages/edit_rules.h"

#include "pages/engineer_controls.h"

namespace zelko {
namespace {

constexpr long kSaturation = 1'000'000'000L;

// Above `max` -> max; empty -> `empty`; anything else unchanged.
std::string CapOrDefault(std::string_view text, long max, std::string_view empty) {
  if (text.empty()) return std::string(empty);
  const auto v = EditNumber(text);
  if (v && *v > max) return std::to_string(max);
  return std::string(text);
}

}  // namespace

std::optional<long> EditNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kSaturation) value = kSaturation;
  }
  return negative ? -value : value;
}

std::optional<int> EditValueIn(std::string_view text, int low, int high) {
  const auto v = EditNumber(text);
  if (!v || *v < low || *v > high) return std::nullopt;
  return static_cast<int>(*v);
}

std::string ClampColourEdit(std::string_view text) { return CapOrDefault(text, 255, "0"); }

std::string ClampLedCountEdit(std::string_view text) {
  if (text.empty()) return std::to_string(kMaxLedCount);
  if (text == "1") return "1";
  const auto v = EditNumber(text);
  if (!v) return std::string(text);
  if (*v == 0 || *v == 2 || *v == 3) return std::to_string(kMinLedCount);
  if (*v > kMaxLedCount) return std::to_string(kMaxLedCount);
  return std::string(text);
}

std::string LedCountEditOnExit(std::string_view text) {
  if (text == "1") return std::to_string(kMinLedCount);
  return std::string(text);
}

std::string ClampMcuStepEdit(std::string_view text) {
  return CapOrDefault(text, kMaxMcuLedStep, "0");
}

std::string ClampBreathStepEdit(std::string_view text) { return CapOrDefault(text, 255, "0"); }

std::string ClampRepeatCountEdit(std::string_view text) {
  return CapOrDefault(text, kMaxFireRepeatCount, "2");
}

std::string RepeatCountEditOnExit(std::string_view text) {
  const auto v = EditNumber(text);
  if (v && *v < kMinFireRepeatCount) return std::to_string(kMinFireRepeatCount);
  return std::string(text);
}

int FireCountIndexForText(std::string_view text) {
  const auto v = EditValueIn(text, kMinFireRepeatCount, kMaxFireRepeatCount);
  return v ? *v - kMinFireRepeatCount : kNoSelection;
}

std::string ClampDelayTimeEdit(std::string_view text) {
  if (text.empty()) return "0";
  const auto v = EditNumber(text);
  if (v && *v < 0) return "0";
  if (v && *v >= 256) return "255";
  return std::string(text);
}

std::string ClampFireTimeEdit(std::string_view text) { return CapOrDefault(text, 255, "100"); }

std::string ClampIdentityCodeEdit(std::string_view text) {
  text = text.substr(0, kIdentityEditLength);
  return CapOrDefault(text, 255, "255");
}

}  // namespace zelko
