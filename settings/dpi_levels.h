// The DPI levels: how many are active (2..7), each level's value (an index
// into the eleven DPI values) and colour, and the current level.
//
// Wire side: ParameterA.DpiLevelCount, DpiValueIndex, DpiPaletteIndex,
// DpiColour; ParameterB.CurrentDpiLevel with its complement. Bytes outside
// their range (0xFF marks an unset value or palette entry) are carried as
// they are, except a palette index outside the palette: it reads and writes
// as 0xFF, no colour chosen, as the page's colour list shows it. The edits
// that set them check the range.
#pragma once
#include <array>
#include <cstdint>

#include "image/parameter_record.h"

namespace zelko {

struct DpiLevel {
  std::uint8_t value_index = 0;    // 0..10 into kDpiValues, 0xFF unset
  std::uint8_t palette_index = 0;  // 0..6 into kPalette (normal LED), else 0xFF unset
  Rgb colour{};                    // the MCU LED's colour of the level
  friend bool operator==(const DpiLevel&, const DpiLevel&) = default;
};

struct DpiLevels {
  int count = 7;    // active levels, 2..7
  int current = 0;  // current level, index 0..count-1
  std::array<DpiLevel, kDpiLevelMax> levels{};
  friend bool operator==(const DpiLevels&, const DpiLevels&) = default;
};

// A new number of active levels makes the highest of them current: the
// Advanced page's level names, the engineer page's count and set-dpi
// --count alike.
constexpr int CurrentLevelForCount(int count) { return count - 1; }
inline void SetLevelCount(DpiLevels& dpi, int count) {
  dpi.count = count;
  dpi.current = CurrentLevelForCount(count);
}

DpiLevels DecodeDpiLevels(const ParameterRecord& record);
void EncodeDpiLevels(const DpiLevels& dpi, ParameterRecord& record);

}  // namespace zelko
