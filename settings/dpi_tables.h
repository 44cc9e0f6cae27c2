// Fixed tables of the DPI and lighting settings: the eleven DPI values, the
// seven-colour palette of the normal LED, the MCU LED mode names, the sensor
// orientation list and the ranges of every field.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "image/parameter_record.h"

namespace zelko {

inline constexpr int kDpiValueCount = 11;
// Index 0..10 -> DPI.
inline constexpr std::array<int, kDpiValueCount> kDpiValues = {500,  800,  1000, 1200, 1600, 2000,
                                                               2400, 3200, 4000, 4800, 6400};
// The byte that marks a level without a value, and a palette entry not chosen.
inline constexpr std::uint8_t kUnsetIndex = 0xFF;

inline constexpr int kMinDpiLevels = 2;
inline constexpr int kMaxDpiLevels = static_cast<int>(kDpiLevelMax);

// The index of a DPI value, if it is one of the eleven.
std::optional<int> DpiValueIndexOf(int dpi);

struct PaletteColour {
  std::string_view name;
  Rgb rgb;
};
inline constexpr int kPaletteSize = 7;
inline constexpr std::array<PaletteColour, kPaletteSize> kPalette = {{
    {"Red", {255, 0, 0}},
    {"Green", {0, 255, 0}},
    {"Yellow", {255, 255, 0}},
    {"Blue", {0, 0, 255}},
    {"Purple", {255, 0, 255}},
    {"Cyan", {0, 255, 255}},
    {"White", {255, 255, 255}},
}};
// The palette index of a colour name, ignoring case.
std::optional<int> PaletteIndexOf(std::string_view name);

// The two LED types, as the working state names them.
inline constexpr std::string_view kNormalLedType = "ZKLED";
inline constexpr std::string_view kMcuLedType = "MCULED";

inline constexpr int kMcuLedModeCount = 7;
inline constexpr int kMinLedCount = 4;
inline constexpr int kMaxLedCount = 13;
inline constexpr int kMaxMcuLedStep = 7;
// The normal LED's only mode, "CPI Breath".
inline constexpr int kNormalLedMode = 1;
// McuLedModeMask with the MCU LED: bit 0 always set, bit k for mode k.
inline constexpr std::uint8_t kMcuLedModeMaskBase = 0x01;
// The mode mask the normal LED carries.
inline constexpr std::uint8_t kNormalLedModeMask = 0xFF;

inline constexpr int kMinFireRepeatCount = 2;
inline constexpr int kMaxFireRepeatCount = 127;

// The sensor orientation list of the engineer page, in list order, with
// the code stored in bits 4..6 of FeatureFlags.
struct OrientationEntry {
  std::string_view name;
  std::uint8_t code;
};
inline constexpr std::array<OrientationEntry, 8> kSensorOrientations = {{
    {"0°", 7},
    {"90°", 2},
    {"180°", 4},
    {"270°", 1},
    {"X Reverse", 6},
    {"Y Reverse", 5},
    {"XY Swap XY Reverse", 0},
    {"XY Swap XY NoReverse", 3},
}};
// The list entry of an orientation code 0..7.
int OrientationIndexOfCode(std::uint8_t code);

}  // namespace zelko
