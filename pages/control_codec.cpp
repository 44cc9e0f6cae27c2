#include "pages/control_codec.h"

#include "pages/edit_rules.h"
#include "pages/lighting_rules.h"
#include "settings/dpi_tables.h"

namespace zelko {
namespace {

using std::uint8_t;

// The value of a radio pair: First gives `first`, Second its opposite,
// Neither leaves `value`.
void ApplyPair(Checked pair, bool first, bool& value) {
  if (pair == Checked::Neither) return;
  value = (pair == Checked::First) == first;
}

Checked PairOf(bool value) { return value ? Checked::First : Checked::Second; }

void ApplyByteEdit(const std::string& text, uint8_t& byte) {
  if (const auto v = EditValueIn(text, 0, 255)) byte = static_cast<uint8_t>(*v);
}

void ApplyIntEdit(const std::string& text, int low, int high, int& value) {
  if (const auto v = EditValueIn(text, low, high)) value = *v;
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

void DpiFromControls(const EngineerControls& c, DpiLevels& dpi) {
  if (c.level_count_index >= 0 && c.level_count_index <= kMaxDpiLevels - kMinDpiLevels) {
    dpi.count = c.level_count_index + kMinDpiLevels;
  }
  for (std::size_t n = 0; n < kDpiLevelMax; ++n) {
    const auto& level = c.levels[n];
    dpi.levels[n].value_index = ListIndexByte(level.value_index);
    dpi.levels[n].palette_index = ListIndexByte(level.palette_index);
    ApplyColour(level.colour, dpi.levels[n].colour);
  }
  if (c.current_level_index >= 0 && c.current_level_index < kMaxDpiLevels) {
    dpi.current = c.current_level_index;
  }
}

void FireFromControls(const EngineerControls& c, FireKeySettings& fire) {
  if (c.fire_count_index >= 0 &&
      c.fire_count_index <= kMaxFireRepeatCount - kMinFireRepeatCount) {
    fire.repeat_count = c.fire_count_index + kMinFireRepeatCount;
  }
  ApplyIntEdit(c.fire_time, 0, 255, fire.interval);
  ApplyPair(c.fire_function, true, fire.on_fn_left);
}

void LightingFromControls(const EngineerControls& c, Lighting& l) {
  ApplyPair(c.mcpi_switch, true, l.mcpi_switch);
  ApplyPair(c.lcpi_switch, true, l.lcpi_switch);
  ApplyPair(c.key_mode_saving, true, l.key_mode_saved);
  bool normal = l.type == LedType::kNormal;
  ApplyPair(c.led_type, true, normal);
  l.type = normal ? LedType::kNormal : LedType::kMcu;

  ApplyPair(c.brightness, true, l.full_brightness);
  ApplyIntEdit(c.led_count, kMinLedCount, kMaxLedCount, l.led_count);
  if (!normal) l.modes_offered = c.modes_offered;
  ApplyByteEdit(c.breath_step, l.breath_step);
  ApplyColour(c.key_mode1_colour, l.key_mode_colours[0]);
  ApplyColour(c.key_mode2_colour, l.key_mode_colours[1]);

  if (normal) {
    l.mode = c.normal_led_cpi_breath ? kNormalLedMode : 0;
  } else {
    // Nothing selected gives mode 0; an unreadable step keeps the old one.
    l.mode = c.current_mode_index >= 0 && c.current_mode_index < kMcuLedModeCount
                 ? c.current_mode_index + 1
                 : 0;
    ApplyIntEdit(c.mcu_step, 0, kMaxMcuLedStep, l.step);
  }
  ApplyPair(c.led_status, true, l.led_on);
}

void KeyModeAndOptionsFromControls(const EngineerControls& c, MouseSettings& s) {
  if (c.sensor_orientation_index >= 0 &&
      c.sensor_orientation_index < static_cast<int>(kSensorOrientations.size())) {
    s.options.sensor_orientation =
        kSensorOrientations[static_cast<std::size_t>(c.sensor_orientation_index)].code;
  }
  s.buttons.middle_long_press = c.middle_long_press;
  s.buttons.cpi_long_press = c.cpi_long_press;
  if (c.key_mode_index == 0 || c.key_mode_index == 1) {
    s.buttons.key_mode = c.key_mode_index == 1 ? KeyMode::kB : KeyMode::kA;
  }
  ApplyByteEdit(c.vendor_code, s.options.manufacturer_code);
  ApplyByteEdit(c.product_code, s.options.product_code);
}

}  // namespace

bool EncodesNormalLed(const EngineerControls& controls, const MouseSettings& settings) {
  if (controls.led_type == Checked::First) return true;
  if (controls.led_type == Checked::Second) return false;
  return settings.lighting.type == LedType::kNormal;
}

void ControlsToSettings(const EngineerControls& controls, MouseSettings& settings) {
  DpiFromControls(controls, settings.dpi);
  LightingFromControls(controls, settings.lighting);
  KeyModeAndOptionsFromControls(controls, settings);
  FireFromControls(controls, settings.fire);
}

void SettingsToControls(const MouseSettings& s, EngineerControls& c) {
  const Lighting& l = s.lighting;
  const bool normal = l.type == LedType::kNormal;

  c.mcpi_switch = PairOf(l.mcpi_switch);
  c.fire_function = PairOf(s.fire.on_fn_left);
  c.lcpi_switch = PairOf(l.lcpi_switch);
  SetKeyModeSaving(c, l.key_mode_saved);
  c.sensor_orientation_index = OrientationIndexOfCode(s.options.sensor_orientation);
  c.led_type = PairOf(normal);
  c.middle_long_press = s.buttons.middle_long_press;
  c.cpi_long_press = s.buttons.cpi_long_press;

  c.brightness = PairOf(l.full_brightness);
  if (l.led_count >= kMinLedCount && l.led_count <= kMaxLedCount) {
    c.led_count = std::to_string(l.led_count);
  }
  c.modes_offered = l.modes_offered;
  RebuildCurrentModeList(c);
  c.breath_step = std::to_string(l.breath_step);

  // DPI levels.
  const int count = s.dpi.count;
  if (count >= kMinDpiLevels && count <= kMaxDpiLevels) c.level_count_index = count - kMinDpiLevels;
  for (std::size_t n = 0; n < kDpiLevelMax; ++n) {
    auto& level = c.levels[n];
    const auto& model = s.dpi.levels[n];
    level.value_index = model.value_index < kDpiValueCount ? model.value_index : kNoSelection;
    level.palette_index = model.palette_index < kPaletteSize ? model.palette_index : kNoSelection;
    level.colour = EditsOf(model.colour);
  }
  const int shown_count = c.level_count_index == kNoSelection ? kMaxDpiLevels
                                                              : c.level_count_index + kMinDpiLevels;
  for (int n = 3; n <= kMaxDpiLevels; ++n) c.levels[static_cast<std::size_t>(n - 1)].shown = n <= shown_count;
  c.current_level_items = shown_count;
  if (s.dpi.current >= 0 && s.dpi.current < shown_count) {
    c.current_level_index = s.dpi.current;
    c.checked_level_radio = s.dpi.current;
  } else {
    c.current_level_index = kNoSelection;
  }

  // The last AIM button found decides.
  if (s.aim.value_index && *s.aim.value_index < kDpiValueCount) c.aim_value_index = *s.aim.value_index;

  c.fire_count_index = s.fire.repeat_count >= kMinFireRepeatCount &&
                               s.fire.repeat_count <= kMaxFireRepeatCount
                           ? s.fire.repeat_count - kMinFireRepeatCount
                           : kNoSelection;
  c.fire_time = std::to_string(s.fire.interval);

  c.key_mode1_colour = EditsOf(l.key_mode_colours[0]);
  c.key_mode2_colour = EditsOf(l.key_mode_colours[1]);

  if (normal) {
    if (l.mode == kNormalLedMode) c.normal_led_cpi_breath = true;
  } else {
    // Mode 0 leaves the list without a selection.
    c.current_mode_index = l.mode - 1;
    c.mcu_step = std::to_string(l.step);
  }
  c.led_status = PairOf(l.led_on);

  if (c.key_mode_enabled) c.key_mode_index = s.buttons.key_mode == KeyMode::kB ? 1 : 0;
  c.vendor_code = std::to_string(s.options.manufacturer_code);
  c.product_code = std::to_string(s.options.product_code);
}

}  // namespace zelko
