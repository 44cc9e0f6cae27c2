#include "pointer/control_codec.h"

#include "pointer/aim_key.h"
#include "pointer/edit_rules.h"
#include "pointer/lighting_rules.h"

namespace zelko {
namespace {

using std::uint8_t;

constexpr uint8_t Bit(unsigned n) { return static_cast<uint8_t>(1u << n); }

// Sets (First) or clears (Second) a bit; Neither leaves it.
void ApplyPair(Checked pair, unsigned bit, bool first_sets, uint8_t& byte) {
  if (pair == Checked::Neither) return;
  const bool set = (pair == Checked::First) == first_sets;
  byte = set ? static_cast<uint8_t>(byte | Bit(bit)) : static_cast<uint8_t>(byte & ~Bit(bit));
}

Checked PairFromBit(uint8_t byte, unsigned bit, bool first_when_set) {
  const bool set = (byte & Bit(bit)) != 0;
  return set == first_when_set ? Checked::First : Checked::Second;
}

void ApplyByteEdit(const std::string& text, uint8_t& byte) {
  if (const auto v = EditValueIn(text, 0, 255)) byte = static_cast<uint8_t>(*v);
}

void ApplyColour(const ColourEdits& edits, Rgb& rgb) {
  ApplyByteEdit(edits.r, rgb.r);
  ApplyByteEdit(edits.g, rgb.g);
  ApplyByteEdit(edits.b, rgb.b);
}

ColourEdits EditsOf(const Rgb& rgb) {
  return {std::to_string(rgb.r), std::to_string(rgb.g), std::to_string(rgb.b)};
}

uint8_t ListIndexByte(int index) {
  return index == kNoSelection ? kUnsetIndex : static_cast<uint8_t>(index);
}

void EncodeDpi(const EngineerControls& c, ParameterRecord& record) {
  auto& a = record.ParameterA;
  auto& b = record.ParameterB;
  if (c.level_count_index >= 0 && c.level_count_index <= kMaxDpiLevels - kMinDpiLevels) {
    a.DpiLevelCount = static_cast<uint8_t>(c.level_count_index + kMinDpiLevels);
  }
  for (std::size_t n = 0; n < kDpiLevelMax; ++n) {
    const auto& level = c.levels[n];
    a.DpiValueIndex[n] = ListIndexByte(level.value_index);
    a.DpiPaletteIndex[n] = ListIndexByte(level.palette_index);
    ApplyColour(level.colour, a.DpiColour[n]);
  }
  if (c.current_level_index >= 0 && c.current_level_index < kMaxDpiLevels) {
    b.CurrentDpiLevel = static_cast<uint8_t>(c.current_level_index);
  }
  b.CurrentDpiLevelComplement = static_cast<uint8_t>(0xFF - b.CurrentDpiLevel);
}

void EncodeFire(const EngineerControls& c, ParameterRecord& record) {
  if (c.fire_count_index >= 0 &&
      c.fire_count_index <= kMaxFireRepeatCount - kMinFireRepeatCount) {
    record.FireKey.FireRepeatCount = static_cast<uint8_t>(c.fire_count_index + 1);
  }
  ApplyByteEdit(c.fire_time, record.FireKey.FireInterval);
}

void EncodeLighting(const EngineerControls& c, ParameterRecord& record) {
  namespace ff = feature_flags;
  namespace mc = mcu_led_config;
  namespace ls = led_state;
  auto& a = record.ParameterA;
  auto& b = record.ParameterB;

  ApplyPair(c.mcpi_switch, ff::kMcpiLedSwitchBit, true, a.FeatureFlags);
  ApplyPair(c.fire_function, ff::kFireOnFnLeftBit, true, a.FeatureFlags);
  ApplyPair(c.lcpi_switch, ff::kLcpiLedModeSwitchBit, true, a.FeatureFlags);
  ApplyPair(c.key_mode_saving, ff::kKeyModeNotSavedBit, false, a.FeatureFlags);
  ApplyPair(c.led_type, ff::kNormalLedBit, true, a.FeatureFlags);
  const bool normal = (a.FeatureFlags & Bit(ff::kNormalLedBit)) != 0;

  ApplyPair(c.brightness, mc::kAllLightBit, true, a.McuLedConfig);
  if (const auto count = EditValueIn(c.led_count, kMinLedCount, kMaxLedCount)) {
    a.McuLedConfig = static_cast<uint8_t>((a.McuLedConfig & ~mc::kLedCountMask) |
                                          ((mc::kLedCountBase - *count) << mc::kLedCountShift));
  }

  if (normal) {
    a.McuLedModeMask = kNormalLedModeMask;
  } else {
    uint8_t mask = kMcuLedModeMaskBase;
    for (int k = 1; k <= kMcuLedModeCount; ++k) {
      if (c.modes_offered[static_cast<std::size_t>(k - 1)]) mask |= Bit(static_cast<unsigned>(k));
    }
    a.McuLedModeMask = mask;
  }

  ApplyByteEdit(c.breath_step, a.BreathStep);
  ApplyColour(c.key_mode1_colour, a.KeyMode1Colour);
  ApplyColour(c.key_mode2_colour, a.KeyMode2Colour);

  // LedState is built afresh; the LED status bit and an unreadable step
  // keep what the record held.
  const uint8_t previous = b.LedState;
  uint8_t state = 0;
  if (normal) {
    if (c.normal_led_cpi_breath) state |= kNormalLedMode;
  } else {
    // Nothing selected gives mode bits 0.
    if (c.current_mode_index >= 0 && c.current_mode_index < kMcuLedModeCount) {
      state |= static_cast<uint8_t>(c.current_mode_index + 1);
    }
    if (const auto step = EditValueIn(c.mcu_step, 0, kMaxMcuLedStep)) {
      state |= static_cast<uint8_t>(*step << ls::kMcuStepShift);
    } else {
      state |= static_cast<uint8_t>(previous & ls::kMcuStepMask);
    }
  }
  state |= static_cast<uint8_t>(previous & Bit(ls::kLedOffBit));
  ApplyPair(c.led_status, ls::kLedOffBit, false, state);
  b.LedState = state;
  b.LedStateComplement = static_cast<uint8_t>(0xFF - b.LedState);
}

void EncodeKeyModeAndIdentity(const EngineerControls& c, ParameterRecord& record) {
  namespace ff = feature_flags;
  namespace kms = key_mode_switch_flags;
  auto& a = record.ParameterA;
  auto& b = record.ParameterB;
  if (c.sensor_orientation_index >= 0 &&
      c.sensor_orientation_index < static_cast<int>(kSensorOrientations.size())) {
    const uint8_t code = kSensorOrientations[static_cast<std::size_t>(c.sensor_orientation_index)].code;
    a.FeatureFlags = static_cast<uint8_t>((a.FeatureFlags & ~ff::kSensorOrientationMask) |
                                          (code << ff::kSensorOrientationShift));
  }
  ApplyPair(c.middle_long_press ? Checked::First : Checked::Second, kms::kMiddleLongPressBit, true,
            a.KeyModeSwitchFlags);
  ApplyPair(c.cpi_long_press ? Checked::First : Checked::Second, kms::kCpiLongPressBit, true,
            a.KeyModeSwitchFlags);
  if (c.key_mode_index == 0 || c.key_mode_index == 1) {
    b.KeyModeState = c.key_mode_index == 1 ? Bit(key_mode_state::kModeBBit) : 0;
  }
  b.KeyModeStateComplement = static_cast<uint8_t>(0xFF - b.KeyModeState);
  ApplyByteEdit(c.vendor_code, b.ManufacturerCode);
  ApplyByteEdit(c.product_code, b.ProductCode);
}

}  // namespace

bool EncodesNormalLed(const EngineerControls& controls, const ParameterRecord& record) {
  if (controls.led_type == Checked::First) return true;
  if (controls.led_type == Checked::Second) return false;
  return (record.ParameterA.FeatureFlags & Bit(feature_flags::kNormalLedBit)) != 0;
}

void UIToDataBuf(const EngineerControls& controls, ParameterRecord& record) {
  EncodeDpi(controls, record);
  EncodeLighting(controls, record);
  EncodeKeyModeAndIdentity(controls, record);
  EncodeFire(controls, record);
}

void RefreshEngineerControls(const ParameterRecord& record, EngineerControls& c) {
  namespace ff = feature_flags;
  namespace mc = mcu_led_config;
  namespace ls = led_state;
  const auto& a = record.ParameterA;
  const auto& b = record.ParameterB;

  // Lighting switches, orientation and LED type from FeatureFlags.
  c.mcpi_switch = PairFromBit(a.FeatureFlags, ff::kMcpiLedSwitchBit, true);
  c.fire_function = PairFromBit(a.FeatureFlags, ff::kFireOnFnLeftBit, true);
  c.lcpi_switch = PairFromBit(a.FeatureFlags, ff::kLcpiLedModeSwitchBit, true);
  SetKeyModeSaving(c, (a.FeatureFlags & Bit(ff::kKeyModeNotSavedBit)) == 0);
  c.sensor_orientation_index = OrientationIndexOfCode(
      static_cast<uint8_t>((a.FeatureFlags & ff::kSensorOrientationMask) >> ff::kSensorOrientationShift));
  const bool normal = (a.FeatureFlags & Bit(ff::kNormalLedBit)) != 0;
  c.led_type = normal ? Checked::First : Checked::Second;
  c.middle_long_press = (a.KeyModeSwitchFlags & Bit(key_mode_switch_flags::kMiddleLongPressBit)) != 0;
  c.cpi_long_press = (a.KeyModeSwitchFlags & Bit(key_mode_switch_flags::kCpiLongPressBit)) != 0;

  c.brightness = PairFromBit(a.McuLedConfig, mc::kAllLightBit, true);
  const int nibble = (a.McuLedConfig & mc::kLedCountMask) >> mc::kLedCountShift;
  if (nibble <= mc::kLedCountBase - kMinLedCount) c.led_count = std::to_string(mc::kLedCountBase - nibble);

  for (int k = 1; k <= kMcuLedModeCount; ++k) {
    c.modes_offered[static_cast<std::size_t>(k - 1)] = (a.McuLedModeMask & Bit(static_cast<unsigned>(k))) != 0;
  }
  RebuildCurrentModeList(c);

  c.breath_step = std::to_string(a.BreathStep);

  // DPI levels.
  const int count = a.DpiLevelCount;
  if (count >= kMinDpiLevels && count <= kMaxDpiLevels) c.level_count_index = count - kMinDpiLevels;
  for (std::size_t n = 0; n < kDpiLevelMax; ++n) {
    auto& level = c.levels[n];
    const int value = a.DpiValueIndex[n];
    level.value_index = value < kDpiValueCount ? value : kNoSelection;
    const int palette = a.DpiPaletteIndex[n];
    level.palette_index = palette < kPaletteSize ? palette : kNoSelection;
    level.colour = EditsOf(a.DpiColour[n]);
  }
  const int shown_count = c.level_count_index == kNoSelection ? kMaxDpiLevels
                                                              : c.level_count_index + kMinDpiLevels;
  for (int n = 3; n <= kMaxDpiLevels; ++n) c.levels[static_cast<std::size_t>(n - 1)].shown = n <= shown_count;
  c.current_level_items = shown_count;
  if (b.CurrentDpiLevel < shown_count) {
    c.current_level_index = b.CurrentDpiLevel;
    c.checked_level_radio = b.CurrentDpiLevel;
  } else {
    c.current_level_index = kNoSelection;
  }

  // TLRefreshAIMKey: the last AIM button found decides.
  if (const auto aim = AimValueFromProfile(record.Profile); aim && *aim < kDpiValueCount) {
    c.aim_value_index = *aim;
  }

  c.fire_count_index = record.FireKey.FireRepeatCount >= 1 &&
                               record.FireKey.FireRepeatCount <= kMaxFireRepeatCount - 1
                           ? record.FireKey.FireRepeatCount - 1
                           : kNoSelection;
  c.fire_time = std::to_string(record.FireKey.FireInterval);

  c.key_mode1_colour = EditsOf(a.KeyMode1Colour);
  c.key_mode2_colour = EditsOf(a.KeyMode2Colour);

  // LedState.
  const int mode = b.LedState & ls::kModeMask;
  if (normal) {
    if (mode == kNormalLedMode) c.normal_led_cpi_breath = true;
  } else {
    // Mode 0 leaves the list without a selection.
    c.current_mode_index = mode - 1;
    c.mcu_step = std::to_string((b.LedState & ls::kMcuStepMask) >> ls::kMcuStepShift);
  }
  c.led_status = (b.LedState & Bit(ls::kLedOffBit)) != 0 ? Checked::Second : Checked::First;

  // Key mode and identity codes.
  if (c.key_mode_enabled) {
    c.key_mode_index = (b.KeyModeState & Bit(key_mode_state::kModeBBit)) != 0 ? 1 : 0;
  }
  c.vendor_code = std::to_string(b.ManufacturerCode);
  c.product_code = std::to_string(b.ProductCode);
}

}  // namespace zelko
