#include "settings/lighting.h"

#include "base/bit_ops.h"

#include "settings/dpi_tables.h"

namespace zelko {
namespace {

namespace ff = feature_flags;
namespace mc = mcu_led_config;
namespace ls = led_state;

}  // namespace

Lighting DecodeLighting(const ParameterRecord& record) {
  const auto& a = record.ParameterA;
  const std::uint8_t state = record.ParameterB.LedState;
  Lighting l;
  l.type = ByteBitSet(a.FeatureFlags, ff::kNormalLedBit) ? LedType::kNormal : LedType::kMcu;
  l.mcpi_switch = ByteBitSet(a.FeatureFlags, ff::kMcpiLedSwitchBit);
  l.lcpi_switch = ByteBitSet(a.FeatureFlags, ff::kLcpiLedModeSwitchBit);
  l.key_mode_saved = !ByteBitSet(a.FeatureFlags, ff::kKeyModeNotSavedBit);
  l.full_brightness = ByteBitSet(a.McuLedConfig, mc::kAllLightBit);
  l.led_count = mc::kLedCountBase - ((a.McuLedConfig & mc::kLedCountMask) >> mc::kLedCountShift);
  for (int k = 1; k <= kLightingModeCount; ++k) {
    l.modes_offered[static_cast<std::size_t>(k - 1)] = ByteBitSet(a.McuLedModeMask, static_cast<unsigned>(k));
  }
  l.mode = state & ls::kModeMask;
  l.step = (state & ls::kMcuStepMask) >> ls::kMcuStepShift;
  l.led_on = !ByteBitSet(state, ls::kLedOffBit);
  l.breath_step = a.BreathStep;
  l.key_mode_colours = {a.KeyMode1Colour, a.KeyMode2Colour};
  return l;
}

void EncodeLighting(const Lighting& l, ParameterRecord& record) {
  auto& a = record.ParameterA;
  auto& b = record.ParameterB;
  const bool normal = l.type == LedType::kNormal;
  PutByteBit(a.FeatureFlags, ff::kNormalLedBit, normal);
  PutByteBit(a.FeatureFlags, ff::kMcpiLedSwitchBit, l.mcpi_switch);
  PutByteBit(a.FeatureFlags, ff::kLcpiLedModeSwitchBit, l.lcpi_switch);
  PutByteBit(a.FeatureFlags, ff::kKeyModeNotSavedBit, !l.key_mode_saved);
  PutByteBit(a.McuLedConfig, mc::kAllLightBit, l.full_brightness);
  const int code = (mc::kLedCountBase - l.led_count) & 0x0F;
  a.McuLedConfig = static_cast<std::uint8_t>((a.McuLedConfig & ~mc::kLedCountMask) |
                                             (code << mc::kLedCountShift));
  if (normal) {
    a.McuLedModeMask = kNormalLedModeMask;
  } else {
    std::uint8_t mask = kMcuLedModeMaskBase;
    for (int k = 1; k <= kLightingModeCount; ++k) {
      if (l.modes_offered[static_cast<std::size_t>(k - 1)]) mask |= ByteBit(static_cast<unsigned>(k));
    }
    a.McuLedModeMask = mask;
  }
  a.BreathStep = l.breath_step;
  a.KeyMode1Colour = l.key_mode_colours[0];
  a.KeyMode2Colour = l.key_mode_colours[1];

  std::uint8_t state = 0;
  if (normal) {
    if (l.mode == kNormalLedMode) state = static_cast<std::uint8_t>(kNormalLedMode);
  } else {
    state = static_cast<std::uint8_t>((l.mode & ls::kModeMask) |
                                      ((l.step << ls::kMcuStepShift) & ls::kMcuStepMask));
  }
  PutByteBit(state, ls::kLedOffBit, !l.led_on);
  b.LedState = state;
  b.LedStateComplement = static_cast<std::uint8_t>(0xFF - b.LedState);
}

}  // namespace zelko
