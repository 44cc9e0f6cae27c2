// The lighting: LED type (normal LED or MCU-driven LED strip), on/off, the
// M+CPI and L+CPI switches, which of the seven MCU modes the mode key cycles
// through, the current mode and its speed step, the number of LEDs, the
// brightness, the normal LED's breathing rate, whether the key mode is kept
// over a power cycle, and the colours that show key mode A and B.
//
// Wire side: ParameterA.FeatureFlags bits 0, 2, 3, 7; McuLedConfig bits 3..7
// (bits 0..2 are never changed); McuLedModeMask; BreathStep; KeyMode1Colour,
// KeyMode2Colour; ParameterB.LedState with its complement.
#pragma once
#include <array>
#include <cstdint>

#include "image/parameter_record.h"

namespace zelko {

enum class LedType : std::uint8_t { kMcu, kNormal };

inline constexpr int kLightingModeCount = 7;

struct Lighting {
  LedType type = LedType::kMcu;
  bool led_on = true;
  bool mcpi_switch = false;     // M+CPI LED switch
  bool lcpi_switch = false;     // L+CPI LED mode switch (MCU LED)
  bool key_mode_saved = true;   // the key mode survives a power cycle
  bool full_brightness = true;  // all-light (MCU LED), else half-light
  // Number of LEDs (MCU LED), 4..13. The mouse stores 13 minus the count in
  // four bits: a stored 10..15 reads as 3..-2 and is written back as it was.
  int led_count = 13;
  std::array<bool, kLightingModeCount> modes_offered{};  // mode k at k - 1 (MCU LED)
  // Current mode: 1..7 with the MCU LED (0 none); with the normal LED 1 is
  // "CPI Breath", 0 none.
  int mode = 1;
  int step = 0;              // speed step of the MCU mode, 0..7
  std::uint8_t breath_step = 0;  // breathing rate of the normal LED
  std::array<Rgb, 2> key_mode_colours{};  // [0] key mode A, [1] key mode B
  friend bool operator==(const Lighting&, const Lighting&) = default;
};

Lighting DecodeLighting(const ParameterRecord& record);
// The mode mask becomes 0xFF with the normal LED (bit 0 and the offered
// modes' bits with the MCU LED); LedState is built afresh from type, mode,
// step and on/off.
void EncodeLighting(const Lighting& lighting, ParameterRecord& record);

}  // namespace zelko
