// The OS pointer settings as the Advanced page shows them: three bars of
// eleven levels and the pointer-precision option. The tables turn a level
// into the value written, and the read-back rules turn whatever the store
// holds back into a level.
#pragma once
#include <array>
#include <optional>
#include <string_view>

namespace zelko {

inline constexpr int kPointerLevelCount = 11;
// The scroll level that stands for "one screen at a time".
inline constexpr int kOneScreenScrollLevel = -1;

// Level 1..11 -> value written.
inline constexpr std::array<int, kPointerLevelCount> kPointerSpeedTable = {
    1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
inline constexpr std::array<int, kPointerLevelCount> kDoubleClickTimeTable = {
    900, 830, 760, 690, 620, 550, 480, 410, 340, 270, 200};
inline constexpr std::array<int, kPointerLevelCount> kScrollLinesTable = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

// Values taken when the store has no readable value.
inline constexpr int kPointerSpeedFallback = 20;
inline constexpr int kDoubleClickTimeFallback = 480;
inline constexpr int kScrollLinesFallback = 3;
inline constexpr int kAccelerationFallback = 0;

// Pointer precision: acceleration and its two thresholds.
struct PointerPrecision {
  int acceleration = 0;
  int threshold1 = 0;
  int threshold2 = 0;
  friend bool operator==(const PointerPrecision&, const PointerPrecision&) = default;
};
inline constexpr PointerPrecision kPrecisionOn{1, 6, 10};
inline constexpr PointerPrecision kPrecisionOff{0, 0, 0};

// Precision shows on when any of the three values is non-zero.
constexpr bool IsPrecisionOn(const PointerPrecision& p) {
  return p.acceleration != 0 || p.threshold1 != 0 || p.threshold2 != 0;
}

// Level -> value; nothing for a level outside 1..11.
std::optional<int> PointerSpeedForLevel(int level);
std::optional<int> DoubleClickTimeForLevel(int level);
// Scroll level 1..11 -> lines; -1 (one screen) -> -1; anything else nothing.
std::optional<int> ScrollLinesForLevel(int level);

// Stored value -> level, with the fallbacks for an unreadable value.
int PointerSpeedLevel(std::optional<int> speed);
int DoubleClickLevel(std::optional<int> time_ms);
// -1 gives kOneScreenScrollLevel.
int ScrollLevel(std::optional<int> lines);

// A stored string as a number: optional sign and decimal digits, surrounding
// blanks allowed; anything else (empty, "12a", out of int range) is
// unreadable.
std::optional<int> ParseStoredNumber(std::string_view text);

}  // namespace zelko
