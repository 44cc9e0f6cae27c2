#include "pointer/pointer_levels.h"

#include <charconv>

namespace zelko {
namespace {

std::optional<int> TableValue(const std::array<int, kPointerLevelCount>& table, int level) {
  if (level < 1 || level > kPointerLevelCount) return std::nullopt;
  return table[static_cast<std::size_t>(level - 1)];
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::optional<int> PointerSpeedForLevel(int level) { return TableValue(kPointerSpeedTable, level); }

std::optional<int> DoubleClickTimeForLevel(int level) {
  return TableValue(kDoubleClickTimeTable, level);
}

std::optional<int> ScrollLinesForLevel(int level) {
  if (level == kOneScreenScrollLevel) return -1;
  return TableValue(kScrollLinesTable, level);
}

int PointerSpeedLevel(std::optional<int> speed) {
  const int v = speed.value_or(kPointerSpeedFallback);
  if (v == 0 || v == 1) return 1;
  if (v == 20) return 11;
  // 2,3 -> 2; 4,5 -> 3; ... 18,19 -> 10; only 10 and 11 fall through to 6.
  if (v >= 2 && v <= 19 && v != 10 && v != 11) return v / 2 + 1;
  return 6;
}

int DoubleClickLevel(std::optional<int> time_ms) {
  const int t = time_ms.value_or(kDoubleClickTimeFallback);
  // The table descends in steps of 70 ms; the first entry not above t wins.
  for (int level = 1; level <= kPointerLevelCount - 1; ++level) {
    if (t >= kDoubleClickTimeTable[static_cast<std::size_t>(level - 1)]) return level;
  }
  return kPointerLevelCount;
}

int ScrollLevel(std::optional<int> lines) {
  const int v = lines.value_or(kScrollLinesFallback);
  if (v == -1) return kOneScreenScrollLevel;
  if (v == 0 || v == 3) return 3;
  if (v >= 1 && v <= 10) return v;
  return 11;
}

std::optional<int> ParseStoredNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int value = 0;
  const auto* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace zelko
